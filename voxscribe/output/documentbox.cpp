#include "documentbox.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "rtfwriter.h"
#include "savefile.h"
#include "unicodecopy.h"

namespace output {
namespace {

// Text as the document takes it: one line break for CR LF or a lone CR.
QString normalisedLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

const QString kCopyAsUnicodeIpa = QStringLiteral("复制为Unicode音标");

}  // namespace

QColor colourFromBgr(quint32 bgr) {
    return QColor(core::rgbOf(bgr));
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
    font.setStyleStrategy(QFont::PreferNoShaping);
    document()->setDefaultFont(font);
    setFont(font);
    if (document()->isEmpty()) {
        QTextCharFormat format;
        format.setFontFamilies({family});
        format.setFontPointSize(pointSize);
        // The empty line and the caret take it too, so that the first insertion has its size.
        QTextCursor(document()).setBlockCharFormat(format);
        setCurrentCharFormat(format);
        // Formatting an empty document is no change the user would want to save.
        document()->setModified(false);
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
    cursor.beginEditBlock();
    insertInInsertionFormat(cursor, text);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void DocumentBox::insertInInsertionFormat(QTextCursor& cursor, const QString& text) const {
    cursor.insertText(normalisedLineBreaks(text), insertionFormat(caretFormat(cursor)));
    cursor.clearSelection();
}

// The size in force at the caret stays, or at the start of the selection that is replaced.
QTextCharFormat DocumentBox::caretFormat(const QTextCursor& cursor) {
    if (!cursor.hasSelection()) {
        return cursor.charFormat();
    }
    QTextCursor start = cursor;
    start.setPosition(cursor.selectionStart());
    start.movePosition(QTextCursor::NextCharacter);
    return start.charFormat();
}

// Font and colour are the insertion format's.
QTextCharFormat DocumentBox::insertionFormat(QTextCharFormat format) const {
    format.setFontFamilies({insertionFont_});
    format.setForeground(colourFromBgr(insertionColour_));
    return format;
}

void DocumentBox::insert(const core::Insertion& insertion) {
    QTextCursor edit(document());
    edit.beginEditBlock();
    for (const core::Step& step : insertion) {
        if (step.staged) {
            clipboard::clear();
            clipboard::put(step.text());
        }
        // The document takes the runs themselves: a clipboard that another program holds or
        // changes meanwhile cannot lose or alter what goes in.
        insertRuns(step.runs);
    }
    edit.endEditBlock();
}

void DocumentBox::insertRuns(const QList<core::Run>& runs) {
    // One cursor for all the runs and the caret moved once: moving the caret lays out the
    // document to show it, which would cost more than the insertions on a long batch.
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    // After the first run the caret stands in text of the first run's format, so every run takes
    // the first one's format with its own face and colour: each is made once, not at every run
    // of a long batch.
    const QTextCharFormat base = caretFormat(cursor);
    QList<std::pair<std::pair<QString, quint32>, QTextCharFormat>> formats;
    for (const core::Run& run : runs) {
        if (!run.family.isEmpty()) {
            setInsertionFont(run.family);
            setInsertionColour(run.colour);
        } else {
            const QTextCharFormat caret = cursor.charFormat();
            const QString family = caret.font().resolve(document()->defaultFont()).family();
            if (family == core::phoneticFont()) {
                setInsertionFont(core::latinFont());
                setInsertionColour(run.colour);
            } else {
                setInsertionFont(family);
                setInsertionColour(caret.hasProperty(QTextFormat::ForegroundBrush)
                                       ? bgrFromColour(caret.foreground().color())
                                       : core::kBlack);
            }
        }
        const std::pair<QString, quint32> face{insertionFont_, insertionColour_};
        auto format = std::find_if(formats.cbegin(), formats.cend(),
                                   [&face](const auto& made) { return made.first == face; });
        if (format == formats.cend()) {
            formats.push_back({face, insertionFormat(base)});
            format = formats.cend() - 1;
        }
        cursor.insertText(normalisedLineBreaks(run.text), format->second);
        cursor.clearSelection();
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void DocumentBox::insertInCaretFormat(const QString& text) {
    QTextCursor cursor = textCursor();
    cursor.insertText(normalisedLineBreaks(text));
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
    return core::saveBytes(path, core::toRtf(*document()), error);
}

QMimeData* DocumentBox::unicodeIpaCopy() const {
    const QTextCursor cursor = textCursor();
    const int end = document()->characterCount() - 1;  // without the final paragraph mark
    const core::UnicodeCopy copy =
        core::unicodeIpaCopy(*document(), cursor.hasSelection() ? cursor.selectionStart() : 0,
                             cursor.hasSelection() ? cursor.selectionEnd() : end, unicodeSymbols_);
    auto* data = new QMimeData;
    data->setText(copy.plain);
    data->setHtml(copy.html);
    return data;
}

QMenu* DocumentBox::createContextMenu(const QPoint& position) {
    QMenu* menu = createStandardContextMenu(position);
    auto* copyAsIpa = new QAction(kCopyAsUnicodeIpa, menu);
    copyAsIpa->setObjectName(QStringLiteral("copy-unicode-ipa"));
    copyAsIpa->setEnabled(!document()->isEmpty());
    connect(copyAsIpa, &QAction::triggered, this, &DocumentBox::onCopyAsUnicodeIpaClicked);
    // Beside the standard copy command, where a user looks for it.
    const QList<QAction*> actions = menu->actions();
    const auto copy = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return action->objectName() == QLatin1String("edit-copy");
    });
    if (copy != actions.end() && copy + 1 != actions.end()) {
        menu->insertAction(*(copy + 1), copyAsIpa);
    } else {
        menu->addAction(copyAsIpa);
    }
    return menu;
}

void DocumentBox::onCopyAsUnicodeIpaClicked() {
    if (!makeWhole()) {
        return;
    }
    QGuiApplication::clipboard()->setMimeData(unicodeIpaCopy());
}

void DocumentBox::contextMenuEvent(QContextMenuEvent* event) {
    // The menu wants document coordinates; the event has the viewport's.
    QMenu* menu = createContextMenu(
        event->pos() + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
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

}  // namespace output
