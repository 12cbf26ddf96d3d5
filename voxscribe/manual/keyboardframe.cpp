#include "keyboardframe.h"

#include <QMouseEvent>

namespace manual {

KeyboardFrame::KeyboardFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    setMouseTracking(true);
}

bool KeyboardFrame::onBackground(const QPointF& position) const {
    return childAt(position.toPoint()) == nullptr;
}

void KeyboardFrame::mousePressEvent(QMouseEvent* event) {
    QGroupBox::mousePressEvent(event);
    if (event->button() == Qt::RightButton && onBackground(event->position())) {
        Q_EMIT backgroundRightPressed(event->globalPosition().toPoint());
    }
}

void KeyboardFrame::mouseMoveEvent(QMouseEvent* event) {
    QGroupBox::mouseMoveEvent(event);
    if (onBackground(event->position())) {
        Q_EMIT backgroundHovered();
    }
}

}  // namespace manual
