#include "escproofdialog.h"

#include <QKeyEvent>

namespace widgets {

void EscProofDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace widgets
