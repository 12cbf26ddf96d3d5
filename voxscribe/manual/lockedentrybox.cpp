#include "lockedentrybox.h"

#include <QGuiApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>

namespace manual {

LockedEntryBox::LockedEntryBox(QWidget* parent) : QLineEdit(parent) {
    connect(&blink_, &QTimer::timeout, this, &LockedEntryBox::onBlink);
    // A caret that has just moved shows at once, as in an ordinary box.
    connect(this, &QLineEdit::cursorPositionChanged, this, &LockedEntryBox::restartBlink);
    connect(this, &QLineEdit::selectionChanged, this, qOverload<>(&QWidget::update));
}

void LockedEntryBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // QLineEdit draws no caret while read-only; an editable box draws its own.
    if (!isReadOnly() || !hasFocus() || hasSelectedText() || !caretShown_) {
        return;
    }
    const QRect area = cursorRect();
    if (area.isEmpty()) {
        return;
    }
    // The caret area is centred on the caret.
    const int x = qRound(QRectF(area).center().x());
    const int width = qMax(1, style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this));
    QPainter painter(this);
    painter.fillRect(QRect(x, area.top(), width, qMax(1, area.height() - 1)), palette().text());
}

void LockedEntryBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    restartBlink();
}

void LockedEntryBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    blink_.stop();
    update();
}

void LockedEntryBox::restartBlink() {
    caretShown_ = true;
    // A flash time below 2 ms means a caret that does not blink.
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flashTime >= 2) {
        blink_.start(flashTime / 2);
    } else {
        blink_.stop();
    }
    update();
}

void LockedEntryBox::onBlink() {
    caretShown_ = !caretShown_;
    update();
}

}  // namespace manual
