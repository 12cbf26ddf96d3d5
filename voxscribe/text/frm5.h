// The text-annotation window "文章标注": a passage pasted, typed or opened, written below with a
// transcription after each word, or after each word beyond the reader's level; the result is
// saved, handed to the word processor, copied as Unicode IPA or exported as a handout.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <memory>

#include "textannotator.h"
#include "wordlevel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTextDocument;
class QTimer;

namespace core {
class LookupClient;
class Speech;
class Suggestion;
}  // namespace core
namespace output {
class DocumentBox;
class WorkingDocument;
}  // namespace output
namespace platform {
struct Services;
}
namespace widgets {
class ClickableLabel;
class SpeechCommand;
}  // namespace widgets

namespace text {

class Frm5 : public QWidget {
    Q_OBJECT
public:
    // suggestion: where suggested transcriptions come from when the user asks for them.
    Frm5(platform::Services& services, core::LookupClient& lookup,
         std::shared_ptr<core::Suggestion> suggestion, QWidget* parent = nullptr);
    ~Frm5() override;

    // What the "朗读" command and F5 speak with; off without it.
    void setSpeech(std::shared_ptr<core::Speech> speech);

    // The passage (Text1), which a recovery copy keeps; the result follows from it.
    QTextDocument* sourceDocument() const;
    output::DocumentBox* documentBox() const { return document_; }
    // Opens a text file into the passage, as the open command does after its dialog; a file that
    // cannot be read is reported and changes nothing.
    void openText(const QString& path);
    // The counts of the result shown.
    const core::TextCounts& counts() const { return counts_; }
    // Whether the result follows the passage and the options as they are now.
    bool resultIsCurrent() const;

Q_SIGNALS:
    // The result shows the passage and the options as they are now.
    void resultShown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void onOpenTextClicked();
    void onChooseKnownWordsClicked();
    void onLevelChosen();
    void onExportClicked();
    void onSymbolsChosen();
    void scheduleUpdate();
    void annotate();
    void annotateSome();
    core::TextOptions currentOptions();
    QString transcriptionToSay() const;

    platform::Services& services_;
    core::ClientWords words_;
    std::shared_ptr<core::Suggestion> suggestion_;
    // Kept for as long as the options stay, so that each word is looked up once.
    std::unique_ptr<core::TextAnnotator> annotator_;
    core::TextOptions annotatorOptions_;  // those annotator_ was made with
    core::KnownWords known_;
    // The passage being annotated into the document a part at a time, so that typing goes on.
    QString passage_;
    qsizetype annotatedTo_ = 0;
    bool filling_ = false;
    core::TextCounts counts_;
    QString lastCodes_;  // of the last word annotated

    QPlainTextEdit* source_ = nullptr;  // Text1
    QLabel* sourcePath_ = nullptr;      // Label3
    QComboBox* level_ = nullptr;        // Combo1
    QLabel* knownPath_ = nullptr;       // Label7
    QCheckBox* firstOnly_ = nullptr;    // Check1
    QCheckBox* guesses_ = nullptr;      // Check2
    QCheckBox* weakForms_ = nullptr;    // Check3
    QComboBox* symbols_ = nullptr;      // Combo2
    QLabel* countsLabel_ = nullptr;     // Label5
    output::WorkingDocument* workingDocument_ = nullptr;
    output::DocumentBox* document_ = nullptr;   // Rich1
    widgets::SpeechCommand* speech_ = nullptr;  // Label14 and F5
    QTimer* updateTimer_ = nullptr;
    QTimer* fillTimer_ = nullptr;
    int previousLevel_ = 0;
};

}  // namespace text
