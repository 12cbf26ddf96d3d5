// A single-line box locked against typing that still shows its caret: the buttons and the mapped
// keys insert their codes at the caret, which the user moves with the mouse or the arrow keys, so
// it must be seen. (Backspace takes the last character off, wherever the caret stands.)
#pragma once

#include <QLineEdit>
#include <QTimer>

namespace manual {

class LockedEntryBox : public QLineEdit {
    Q_OBJECT
public:
    explicit LockedEntryBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void restartBlink();
    void onBlink();

    QTimer blink_;
    bool caretShown_ = true;
};

}  // namespace manual
