// The document box of a working window: rich text that the program writes into at the caret,
// locked against typing, saved as RTF, copied as Unicode IPA from its context menu; and the
// plain-text clipboard the windows stage pieces through.
#pragma once

#include <QString>
#include <QTextEdit>
#include <functional>

#include "annotation.h"
#include "unicodeipa.h"

class QMenu;
class QMimeData;

namespace output {

class DocumentBox : public QTextEdit {
    Q_OBJECT
public:
    explicit DocumentBox(QWidget* parent = nullptr);

    // The format text takes when no other applies (font and size of an empty document).
    void setDefaultFormat(const QString& family, qreal pointSize);

    // Font name and colour of the next inserted text; the size stays the one at the caret.
    void setInsertionFont(const QString& family);
    void setInsertionColour(quint32 bgr);
    QString insertionFont() const { return insertionFont_; }
    quint32 insertionColour() const { return insertionColour_; }

    // Replaces the selection (or inserts at the caret) with text in the insertion format. CR LF
    // (or a lone CR) becomes one line break. Afterwards the caret stands behind the text, nothing
    // is selected and the insertion format is unchanged.
    void replaceSelection(const QString& text);

    // The steps of an insertion, one after another at the caret, as one edit. A staged step's
    // text goes onto the clipboard first. Afterwards the insertion format is the last run's.
    void insert(const core::Insertion& insertion);
    // Runs at the caret, each in its face and colour; a run without a face takes the Latin
    // format in force at the caret (Arial in black where the caret stands in phonetic codes).
    void insertRuns(const QList<core::Run>& runs);
    // Text at the caret in the character format in force there, whatever it is.
    void insertInCaretFormat(const QString& text);

    // Locked: the user can move the caret and select but not type or edit; the program still
    // inserts.
    void setLocked(bool locked);
    bool isLocked() const { return locked_; }

    // Empties the whole document.
    void clearDocument();

    // Writes the whole document as RTF (whatever the extension), replacing the file only once
    // the new content is complete. On failure *error says why, in Chinese.
    bool saveToFile(const QString& path, QString* error = nullptr) const;

    // A document that its window writes a part at a time is whole only when the window says so:
    // saving, transfer and the Unicode copy make it whole first. finish returns false when the
    // user stopped it.
    struct Completion {
        std::function<bool()> isWhole;
        std::function<bool()> finish;
    };
    void setCompletion(Completion completion) { completion_ = std::move(completion); }
    bool isWhole() const { return !completion_.isWhole || completion_.isWhole(); }
    // True once the document is whole; false when the user stopped it.
    bool makeWhole() const { return isWhole() || completion_.finish(); }

    // The selection (the whole document when nothing is selected) for readers without the
    // phonetic font: every run in it turned into Unicode IPA, as plain text and as HTML (words
    // black, IPA blue in a face that has the IPA glyphs).
    QMimeData* unicodeIpaCopy() const;
    // The symbols of the copy: classic, as the phonetic font draws them, unless chosen.
    void setUnicodeSymbols(sonabet::notation::Symbols symbols) { unicodeSymbols_ = symbols; }

    // The standard context menu with "复制为Unicode音标" after its copy command; the caller owns
    // it.
    QMenu* createContextMenu(const QPoint& position);

    // The context menu's "复制为Unicode音标": unicodeIpaCopy() onto the clipboard.
    void onCopyAsUnicodeIpaClicked();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void insertInInsertionFormat(QTextCursor& cursor, const QString& text) const;
    static QTextCharFormat caretFormat(const QTextCursor& cursor);
    QTextCharFormat insertionFormat(QTextCharFormat format) const;

    QString insertionFont_;
    quint32 insertionColour_ = core::kBlack;
    bool locked_ = false;
    sonabet::notation::Symbols unicodeSymbols_ = sonabet::notation::Symbols::Classic;
    Completion completion_;
};

// 0x00BBGGRR to a colour and back.
QColor colourFromBgr(quint32 bgr);
quint32 bgrFromColour(const QColor& colour);

namespace clipboard {
void clear();
void put(const QString& text);
QString get();
}  // namespace clipboard

}  // namespace output
