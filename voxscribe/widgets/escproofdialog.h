// A dialog that Esc does not close. In the program's windows Esc either means something of its
// own (the manual-input window switches its entry mode) or would throw away what the user typed or
// stop a batch run half-way; the close label and the system's close still close the window.
#pragma once

#include <QDialog>

namespace widgets {

class EscProofDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace widgets
