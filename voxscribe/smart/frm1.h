// The manual-entry dialog "手动添加音标": the user types the transcription of a word that the
// dictionary lacks, on the phonetic buttons or straight into the box; confirming logs it to the
// miss log and writes the word and the transcription into the smart-annotation window's document.
#pragma once

#include "escproofdialog.h"

#include <QPointer>
#include <memory>

#include "frm3.h"
#include "services.h"
#include "suggestion.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace widgets {
class SpeechCommand;
}

namespace smart {

class Frm1 : public widgets::EscProofDialog {
    Q_OBJECT
public:
    // frm3: the window the dialog serves; without an owner, so that Frm3 stays usable beside it.
    // The dialog closes when Frm3 closes and deletes itself when Frm3 goes. suggestion: where the
    // proposed transcription of the word comes from; none without it.
    Frm1(platform::Services& services, Frm3* frm3,
         std::shared_ptr<core::Suggestion> suggestion = {}, QWidget* parent = nullptr);

    // What the "朗读" command and F5 speak the typed codes with; off without it.
    void setSpeech(std::shared_ptr<core::Speech> speech);

    // Shows the dialog, or brings it forward when it is already shown.
    void showEntry();

    // Closing without confirming discards the typed transcription.
    void reject() override;

private:
    void onPhoneticButtonClicked(int index);
    void onMoreClicked();
    void onConfirmClicked();
    void onAdoptClicked();
    void onWordChanged();
    void showSuggestion();

    platform::Services& services_;
    QPointer<Frm3> frm3_;
    std::shared_ptr<core::Suggestion> suggestion_;

    QLineEdit* entry_ = nullptr;  // Text1
    // The suggested transcription of the word in Frm3's entry box (Label3, Label4), and the
    // button that takes it (Command8).
    QLabel* suggestionPrompt_ = nullptr;
    QLabel* suggestionCodes_ = nullptr;
    QPushButton* adopt_ = nullptr;
    widgets::SpeechCommand* speech_ = nullptr;  // Command9 "朗读" and F5
};

// Makes Frm3's Yes to the not-found question open the one manual-entry dialog of that window,
// with suggestions from eSpeak NG unless another source is given.
// speech: what the dialog's "朗读" speaks with; off without it.
void attachManualEntry(
    Frm3& frm3, platform::Services& services,
    std::shared_ptr<core::Suggestion> suggestion = std::make_shared<core::EspeakSuggestion>(),
    std::shared_ptr<core::Speech> speech = {});

}  // namespace smart
