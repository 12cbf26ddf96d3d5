// The manual-entry dialog "手动添加音标": the user types the transcription of a word that the
// dictionary lacks, on the phonetic buttons or straight into the box; confirming logs it to the
// miss log and writes the word and the transcription into the smart-annotation window's document.
#pragma once

#include <QDialog>
#include <QMap>
#include <QPointer>

#include "frm3.h"
#include "services.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace smart {

class Frm1 : public QDialog {
    Q_OBJECT
public:
    // frm3: the window the dialog serves; without an owner, so that Frm3 stays usable beside it.
    // The dialog closes when Frm3 closes and deletes itself when Frm3 goes.
    Frm1(platform::Services& services, Frm3* frm3, QWidget* parent = nullptr);

    // Shows the dialog, or brings it forward when it is already shown.
    void showEntry();

    // Closing without confirming discards the typed transcription.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Esc is no way to close: a slip of the finger would throw away the typed transcription.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onCommand1Clicked(int index);
    void onMoreClicked();
    void onConfirmClicked();

    platform::Services& services_;
    QPointer<Frm3> frm3_;

    QGroupBox* Frame1 = nullptr;
    QMap<int, QPushButton*> Command1;
    QPushButton* Command7 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command6 = nullptr;
};

// Makes Frm3's Yes to the not-found question open the one manual-entry dialog of that window.
void attachManualEntry(Frm3& frm3, platform::Services& services);

}  // namespace smart
