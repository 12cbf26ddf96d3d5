#include "texttokens.h"

#include <QTextBoundaryFinder>
#include <QVarLengthArray>

namespace core {
namespace {

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isLatinLetter(char32_t c) {
    if (c < 0x80) {
        return isAsciiLetter(char16_t(c));
    }
    return QChar::isLetter(c) && QChar::script(c) == QChar::Script_Latin;
}

// Characters before which Unicode's word boundaries always fall when something else precedes
// them: ASCII blanks and line ends. No rule looks across them at what stands on their other side.
bool isAsciiSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v';
}

// A digit or an underscore joins the letters beside it into one piece with them, as Unicode's
// word boundaries do; such a piece is no word of ours.
bool joinsLetters(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'_';
}

// Whether a piece between two word boundaries is a word of ours: Latin letters, the marks that
// combine with them, and apostrophes inside (the boundaries put none at the edges).
bool isWord(QStringView piece) {
    bool letters = false;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const QChar unit = piece[i];
        char32_t c = unit.unicode();
        if (unit.isHighSurrogate() && i + 1 < piece.size() && piece[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(unit, piece[i + 1]);
            ++i;
        }
        if (isLatinLetter(c)) {
            letters = true;
        } else if (!(letters && (QChar::isMark(c) || isApostrophe(QChar(char16_t(c)))))) {
            return false;
        }
    }
    return letters;
}

}  // namespace

bool isJoiningHyphen(QChar c) {
    return c == u'-' || c == u'\u2010' || c == u'\u2011';
}

TextTokenizer::TextTokenizer(QStringView text) : text_(text) {
    pieces_.reserve(64);
}

// A stretch runs up to the next ASCII blank or line end that follows something else. Most
// stretches of English text are ASCII; their words are the runs of letters (with apostrophes
// inside) that no digit or underscore touches, which is what Unicode's word boundaries give for
// ASCII. Any other stretch goes through the boundaries themselves.
bool TextTokenizer::readStretch() {
    pieces_.clear();
    nextPiece_ = 0;
    const qsizetype start = stretchEnd_;
    const qsizetype size = text_.size();
    if (start >= size) {
        return false;
    }
    const char16_t* text = text_.utf16();
    qsizetype end = start;
    char16_t any = 0;
    while (end < size && isAsciiSpace(text[end])) {
        ++end;
    }
    while (end < size && !isAsciiSpace(text[end])) {
        any |= text[end];
        ++end;
    }
    stretchEnd_ = end;
    if (any < 0x80) {
        qsizetype i = start;
        while (i < end) {
            if (!isAsciiLetter(text[i])) {
                const qsizetype from = i;
                while (i < end && !isAsciiLetter(text[i])) {
                    ++i;
                }
                pieces_.push_back({from, i, false});
                continue;
            }
            const qsizetype from = i;
            while (i < end && (isAsciiLetter(text[i]) ||
                               (text[i] == u'\'' && i + 1 < end && isAsciiLetter(text[i + 1])))) {
                ++i;
            }
            const bool touched = (from > start && joinsLetters(text[from - 1])) ||
                                 (i < end && joinsLetters(text[i]));
            pieces_.push_back({from, i, !touched});
        }
        return true;
    }
    const QStringView stretch = text_.sliced(start, end - start);
    QVarLengthArray<unsigned char, 1024> attributes(stretch.size() + 1);
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Word, stretch, attributes.data(),
                                   attributes.size());
    qsizetype from = 0;
    for (qsizetype to = boundaries.toNextBoundary(); to > from; to = boundaries.toNextBoundary()) {
        pieces_.push_back({start + from, start + to, isWord(stretch.sliced(from, to - from))});
        from = to;
    }
    return true;
}

bool TextTokenizer::nextPiece(Piece& piece) {
    if (!peekPiece(piece)) {
        return false;
    }
    ++nextPiece_;
    return true;
}

bool TextTokenizer::peekPiece(Piece& piece) {
    while (nextPiece_ >= pieces_.size()) {
        if (!readStretch()) {
            return false;
        }
    }
    piece = pieces_[nextPiece_];
    return true;
}

bool TextTokenizer::next(TextToken& token) {
    if (hasPending_) {
        hasPending_ = false;
        token = pending_;
        return true;
    }
    Piece piece{};
    if (!nextPiece(piece)) {
        return false;
    }
    const qsizetype start = piece.start;
    qsizetype end = piece.end;
    Piece next{};
    if (!piece.word) {
        while (peekPiece(next) && !next.word) {
            nextPiece(next);
            end = next.end;
        }
        token = {start, end - start, false};
        return true;
    }
    // A hyphen between two words joins them; a hyphen at a word's edge starts the text between.
    while (peekPiece(next) && next.end == end + 1 && isJoiningHyphen(text_[end])) {
        nextPiece(next);
        Piece part{};
        if (peekPiece(part) && part.word) {
            nextPiece(part);
            end = part.end;
            continue;
        }
        pending_ = {end, next.end - end, false};
        while (peekPiece(part) && !part.word) {
            nextPiece(part);
            pending_.length = part.end - pending_.start;
        }
        hasPending_ = true;
        break;
    }
    token = {start, end - start, true};
    return true;
}

QList<TextToken> textTokens(QStringView text) {
    QList<TextToken> tokens;
    TextTokenizer tokenizer(text);
    TextToken token;
    while (tokenizer.next(token)) {
        tokens.push_back(token);
    }
    return tokens;
}

}  // namespace core
