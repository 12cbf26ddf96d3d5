// A label that serves as a button: it reports clicks, double clicks and the mouse moving over it.
#pragma once

#include <QLabel>

namespace widgets {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text = QString(), QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// The look of a command drawn as a link: underlined, grey while it is off.
QString commandStyle();
// A command with that look and a hand over it.
ClickableLabel* commandLabel(const QString& caption, QWidget* parent);

}  // namespace widgets
