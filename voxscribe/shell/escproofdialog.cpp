#include "escproofdialog.h"

#include <QKeyEvent>

namespace shell {

void EscProofDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace shell
