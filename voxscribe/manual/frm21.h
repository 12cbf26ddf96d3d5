// The rare-symbol palette window "不常用音标": fourteen buttons that write their codes into the
// phonetic entry box of the manual-entry dialog. Shown modally; it stays open until closed.
#pragma once

#include <QDialog>
#include <QPointer>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace manual {

class Frm21 : public QDialog {
    Q_OBJECT
public:
    // target: the entry box the buttons write into.
    explicit Frm21(QLineEdit* target, QWidget* parent = nullptr);

protected:
    // The palette closes only by its close button; Esc does nothing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onC1Clicked(int index);

    QPointer<QLineEdit> target_;
    QGroupBox* Frame1 = nullptr;
    QButtonGroup* c1 = nullptr;
};

}  // namespace manual
