// The manual-input window "手动输入": English words typed on the ordinary keyboard, transcriptions
// on the phonetic keyboard (buttons, mapped keys, the rare-symbol panel), each confirmed entry
// written at the caret of the document box.
#pragma once

#include "escproofdialog.h"

#include <QPointer>
#include <QSize>
#include <memory>

#include "services.h"
#include "workingwindowinterface.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace core {
class Speech;
}
namespace output {
class WorkingDocument;
}
namespace widgets {
class ClickableLabel;
class SpeechCommand;
}  // namespace widgets

namespace manual {

class KeyboardFrame;

class Form1 : public widgets::EscProofDialog, public output::WorkingWindowInterface {
    Q_OBJECT
public:
    // What the entry box takes and a confirmation writes: codes or a word.
    enum class EntryMode { Phonetic, Word };

    explicit Form1(platform::Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    // The outer size of the window in twips after the window's size limits.
    static QSize limitedSize(QSize twips);

    EntryMode entryMode() const { return mode_; }
    bool inPhoneticMode() const { return mode_ == EntryMode::Phonetic; }
    bool panelPinned() const { return panelPinned_; }
    // What the "朗读" command speaks the typed codes with; off without it.
    void setSpeech(std::shared_ptr<core::Speech> speech);

    QWidget* widget() override { return this; }
    output::DocumentBox* documentBox() const override;
    output::DocumentSaver* documentSaver() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createKeyboardFrame();
    void createEntryFrame();
    void createPalettePanel();
    void checkPhoneticFont();

    // Key preview: every key press reaches the window before the focused control.
    bool isFirstDelivery(QObject* receiver, QEvent* event);
    void onKeyDown(int keyCode);

    void onPhoneticButtonClicked(int index);
    void onPaletteButtonClicked(int index);
    void onConfirmClicked();
    void onEntryChanged(const QString& text);
    void toggleMode();
    void toggleWordInputMethod();
    void onMoreClicked();
    void onPinClicked();
    void setWidthTwips(int twips);

    platform::Services& services_;

    EntryMode mode_ = EntryMode::Phonetic;
    bool panelPinned_ = false;

    // lblconvert, hidden: it names the mode.
    QLabel* modeLabel_ = nullptr;
    // Frame1: the phonetic keyboard with its hints.
    KeyboardFrame* keyboard_ = nullptr;
    // Label2, Text1, Text2, and Frame2 with the marks Option1, Option3, Option2.
    QLabel* prompt_ = nullptr;
    QLineEdit* phoneticEntry_ = nullptr;
    QLineEdit* wordEntry_ = nullptr;
    QGroupBox* marksFrame_ = nullptr;
    QButtonGroup* marks_ = nullptr;
    QPushButton* confirm_ = nullptr;  // Command6
    // Rich1 with its save and transfer labels, its saver and autosave.
    output::WorkingDocument* workingDocument_ = nullptr;
    output::DocumentBox* document_ = nullptr;
    // The rare-symbol panel Frame4 with its buttons c1, and its pin Label11.
    QGroupBox* palette_ = nullptr;
    widgets::ClickableLabel* pinLabel_ = nullptr;
    widgets::SpeechCommand* speech_ = nullptr;  // Label14 "朗读"

    // The key press being delivered and how far up the widget tree it has got.
    const QEvent* keyEvent_ = nullptr;
    QPointer<QObject> keyReceiver_;
};

}  // namespace manual
