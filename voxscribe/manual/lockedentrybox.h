// A single-line box locked against typing that still shows its caret: the program inserts codes
// at the caret, and the user moves it with the mouse or the arrow keys, so it must be seen.
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
