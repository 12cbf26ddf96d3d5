#include "clickablelabel.h"

#include <QMouseEvent>

namespace widgets {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setMouseTracking(true);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// A click is a left press and release over the label, as with a button.
void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) {
        Q_EMIT clicked();
    }
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        Q_EMIT doubleClicked();
    }
}

void ClickableLabel::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    Q_EMIT mouseMoved();
}

QString commandStyle() {
    return QStringLiteral(
        "QLabel { color: #1d4f91; text-decoration: underline; padding: 2px 6px; }"
        "QLabel:disabled { color: gray; }");
}

ClickableLabel* commandLabel(const QString& caption, QWidget* parent) {
    auto* label = new ClickableLabel(caption, parent);
    label->setCursor(Qt::PointingHandCursor);
    label->setStyleSheet(commandStyle());
    return label;
}

}  // namespace widgets
