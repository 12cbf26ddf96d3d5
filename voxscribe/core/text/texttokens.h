// A text split into the words to annotate and the text between them, so that writing the pieces
// one after another gives the text back exactly.
#pragma once

#include <QList>
#include <QStringView>
#include <vector>

namespace core {

struct TextToken {
    qsizetype start = 0;
    qsizetype length = 0;
    bool word = false;  // a word to annotate; otherwise text between words
    bool operator==(const TextToken&) const = default;
};

// Reads the tokens of a text from its start. A word is a run of Latin letters as Unicode's word
// boundaries give it, with the apostrophes inside it (isn't, I'm, I’m, children's) and the
// hyphens that join two words (ice-cream, mother-in-law). Numbers, words with digits, other
// scripts (Chinese), punctuation, blanks and line ends are between words; so are apostrophes and
// hyphens at a word's edge ('til, goin', -ism). Consecutive pieces between words are one token.
// The text must outlive the tokenizer.
class TextTokenizer {
public:
    explicit TextTokenizer(QStringView text);

    // The next token; false at the end of the text.
    bool next(TextToken& token);

private:
    struct Piece {
        qsizetype start;
        qsizetype end;
        bool word;
    };
    // The next piece between two word boundaries, and a look at it without taking it.
    bool nextPiece(Piece& piece);
    bool peekPiece(Piece& piece);
    // The pieces of the next stretch of the text that ends where a boundary is certain.
    bool readStretch();

    QStringView text_;
    qsizetype stretchEnd_ = 0;
    std::vector<Piece> pieces_;  // of the current stretch
    size_t nextPiece_ = 0;
    // A token that the one before it found, to be handed out next.
    bool hasPending_ = false;
    TextToken pending_;
};

// Every token of a text, in order.
QList<TextToken> textTokens(QStringView text);

// Whether c joins the words on either side of it into one (a hyphen).
bool isJoiningHyphen(QChar c);
// Whether c is an apostrophe, straight or curly.
inline bool isApostrophe(QChar c) {
    return c == u'\'' || c == u'\u2019';
}

}  // namespace core
