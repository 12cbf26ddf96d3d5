// The rare-symbol palette window "不常用音标": fourteen buttons that write their codes into the
// phonetic entry box of the manual-entry dialog. Shown modally; it stays open until closed.
#pragma once

#include "escproofdialog.h"

#include <QPointer>

class QLineEdit;

namespace keyboard {

// The palette closes only by its close button.
class Frm21 : public widgets::EscProofDialog {
    Q_OBJECT
public:
    // target: the entry box the buttons write into.
    explicit Frm21(QLineEdit* target, QWidget* parent = nullptr);

private:
    void onSymbolClicked(int index);

    QPointer<QLineEdit> target_;
};

}  // namespace keyboard
