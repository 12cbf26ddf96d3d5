// The smart-annotation window: the user types an English word, presses Enter, and the word goes
// into the document followed by its transcription from the dictionary. Esc switches to plain input,
// in which the typed text goes into the document unchanged.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "accent.h"
#include "workingwindowinterface.h"

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
struct Services;
}
namespace output {
class WorkingDocument;
}
namespace widgets {
class AccentChooser;
class ClickableLabel;
class SpeechCommand;
}  // namespace widgets

namespace core {
class LookupClient;
class Speech;
}  // namespace core

namespace smart {

class Frm3 : public QWidget, public output::WorkingWindowInterface {
    Q_OBJECT
public:
    Frm3(platform::Services& services, core::LookupClient& lookup, QWidget* parent = nullptr);

    // What a confirmation does with the entry: annotate it, or write it as it is.
    enum class EntryMode { Annotating, PlainInput };

    // Text1 and Rich1, which the manual-entry dialog reads and writes.
    QLineEdit* entryBox() const { return entry_; }
    // The accent chosen, which the manual-entry dialog suggests in.
    core::Accent accent() const;
    output::DocumentBox* documentBox() const override { return document_; }
    QWidget* widget() override { return this; }
    output::DocumentSaver* documentSaver() const override;
    // Shows the manual-entry dialog; called when the user answers Yes to the not-found question.
    void setManualEntryOpener(std::function<void()> opener);
    // What the "朗读" command and F5 speak with; off without it.
    void setSpeech(std::shared_ptr<core::Speech> speech);

    // The question asked when the dictionary lacks the word of this lookup key.
    static QString notFoundQuestion(const QString& key);
    EntryMode entryMode() const { return mode_; }
    bool isPlainInput() const { return mode_ == EntryMode::PlainInput; }

Q_SIGNALS:
    // The window is closing for good: the user has answered for its document.
    void closing();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void onEntryChanged(const QString& text);
    void onConfirmClicked();
    void toggleMode();

private:
    void buildControls();
    void placeControls();
    void prepareMissLog();
    void loadLockPicture();
    // american: with both accents, the American transcription beside the British one.
    void insertAnnotated(const QString& entry, const QString& transcription,
                         const QString& american = {});
    QString transcriptionToSay() const;
    static bool isSentence(const QString& entry);
    void insertSentence(const QString& entry);

    platform::Services& services_;
    core::LookupClient& lookup_;
    std::function<void()> manualEntryOpener_;

    EntryMode mode_ = EntryMode::Annotating;

    // Label2, Text1, Command2, Frame2 with Option1, and lblconvert.
    QLabel* prompt_ = nullptr;
    QLineEdit* entry_ = nullptr;
    QPushButton* confirm_ = nullptr;
    QGroupBox* marksFrame_ = nullptr;
    QRadioButton* squareBrackets_ = nullptr;
    widgets::ClickableLabel* modeLabel_ = nullptr;
    QLabel* lockPicture_ = nullptr;  // Image2
    widgets::AccentChooser* accent_ = nullptr;
    // Rich1 with its save and transfer labels, its saver and autosave.
    output::WorkingDocument* workingDocument_ = nullptr;
    output::DocumentBox* document_ = nullptr;
    // Label14 "朗读" and F5; what was written last, for when nothing else is pointed at.
    widgets::SpeechCommand* speech_ = nullptr;
    QString lastTranscription_;
    bool lastAmerican_ = false;
};

}  // namespace smart
