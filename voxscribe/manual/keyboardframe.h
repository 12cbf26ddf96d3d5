// The frame around the on-screen phonetic keyboard. It tells its window when the mouse moves over
// or is pressed on its own background, not on one of the buttons or captions inside it.
#pragma once

#include <QGroupBox>
#include <QPoint>

namespace manual {

class KeyboardFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit KeyboardFrame(const QString& title, QWidget* parent = nullptr);

Q_SIGNALS:
    void backgroundRightPressed(const QPoint& globalPosition);
    void backgroundHovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Presses and moves over a child reach the frame too when the child ignores them.
    bool onBackground(const QPointF& position) const;
};

}  // namespace manual
