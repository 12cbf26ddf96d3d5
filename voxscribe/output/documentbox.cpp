#include "documentbox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include "rtfwriter.h"
#include "savefile.h"

namespace output {
namespace {

// Text as the document takes it: one line break for CR LF or a lone CR.
QString normalisedLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

QColor colourFromBgr(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 bgrFromColour(const QColor& colour) {
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

DocumentBox::DocumentBox(QWidget* parent) : QTextEdit(parent) {
    // Pasted text takes the format at the caret, like everything the program inserts.
    setAcceptRichText(false);
    insertionFont_ = document()->defaultFont().family();
}

void DocumentBox::setDefaultFormat(const QString& family, qreal pointSize) {
    QFont font = document()->defaultFont();
    font.setFamilies({family});
    font.setPointSizeF(pointSize);
    document()->setDefaultFont(font);
    setFont(font);
    if (document()->isEmpty()) {
        QTextCharFormat format;
        format.setFontFamilies({family});
        format.setFontPointSize(pointSize);
        // The empty line and the caret take it too, so that the first insertion has its size.
        QTextCursor(document()).setBlockCharFormat(format);
        setCurrentCharFormat(format);
    }
    insertionFont_ = family;
}

void DocumentBox::setInsertionFont(const QString& family) {
    insertionFont_ = family;
}

void DocumentBox::setInsertionColour(quint32 bgr) {
    insertionColour_ = bgr;
}

void DocumentBox::replaceSelection(const QString& text) {
    QTextCursor cursor = textCursor();
    // The size in force at the caret stays; font and colour are the insertion format's.
    QTextCharFormat format = cursor.charFormat();
    if (cursor.hasSelection()) {
        QTextCursor start = cursor;
        start.setPosition(cursor.selectionStart());
        start.movePosition(QTextCursor::NextCharacter);
        format = start.charFormat();
    }
    format.setFontFamilies({insertionFont_});
    format.setForeground(colourFromBgr(insertionColour_));
    cursor.beginEditBlock();
    cursor.insertText(normalisedLineBreaks(text), format);
    cursor.endEditBlock();
    cursor.clearSelection();
    setTextCursor(cursor);
}

void DocumentBox::setLocked(bool locked) {
    locked_ = locked;
    setReadOnly(locked);
    if (locked) {
        // Read-only would also hide the caret and stop keyboard selection.
        setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    }
}

void DocumentBox::clearDocument() {
    const QFont font = document()->defaultFont();
    const QString insertionFont = insertionFont_;
    clear();
    setDefaultFormat(font.family(), font.pointSizeF());
    insertionFont_ = insertionFont;
}

bool DocumentBox::saveToFile(const QString& path, QString* error) const {
    return saveBytes(path, toRtf(*document()), error);
}

namespace clipboard {

void clear() {
    QGuiApplication::clipboard()->clear();
}

void put(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString get() {
    return QGuiApplication::clipboard()->text();
}

}  // namespace clipboard

void stagedInsert(DocumentBox& box, const QString& text) {
    clipboard::clear();
    clipboard::put(text);
    box.replaceSelection(clipboard::get());
}

}  // namespace output
