// The text-annotation window "文章标注": a passage pasted, typed or opened, written below with a
// transcription after each word, or after each word beyond the reader's level; the result is
// saved, handed to the word processor, copied as Unicode IPA or exported as a handout.
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "textannotator.h"
#include "wordlevel.h"
#include "workingwindowinterface.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTextCursor;
class QTextDocument;
class QTimer;

namespace core {
class LookupClient;
class Speech;
class Suggestion;
}  // namespace core
namespace output {
class WorkingDocument;
}
namespace platform {
struct Services;
}
namespace widgets {
class AccentChooser;
class SpeechCommand;
}  // namespace widgets

namespace text {

class Frm5 : public QWidget, public output::WorkingWindowInterface {
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
    output::DocumentBox* documentBox() const override { return document_; }
    output::DocumentSaver* documentSaver() const override;
    QWidget* widget() override { return this; }
    // Opens a text file into the passage, as the open command does after its dialog; a file that
    // cannot be read is reported and changes nothing.
    void openText(const QString& path);
    // Whether the result follows the passage and the options as they are now.
    bool resultIsCurrent() const;
    // Annotates what is left of the passage at once, with a progress bar for a long one; false
    // when the user stopped it (Esc), which the window reports.
    bool finishResult();

    // A recovery copy keeps the passage, from which the result follows, and the options as the
    // window shows them: every check box and choice by its name, and the known-words list.
    QTextDocument& keptDocument() override { return *sourceDocument(); }
    QByteArray keptState() const override;
    void restoreState(const QByteArray& state) override;

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
    void onOptionsChanged();
    void onPassageChanged(int position, int removed, int added);
    void markChanged(int first, int fromEnd);
    void annotateSome();
    void annotateParagraphs(QTextCursor& cursor);
    void checkFirstOccurrences();
    void seeUpTo(int paragraph);
    void showCounts();
    core::TextOptions currentOptions() const;
    QString transcriptionToSay() const;

    platform::Services& services_;
    core::ClientWords words_;
    std::shared_ptr<core::Suggestion> suggestion_;
    // What the result holds of each paragraph of the passage, one for each of its paragraphs.
    struct Paragraph {
        core::TextCounts counts;
        // First-only: the words that may be annotated, and those annotated here because no
        // paragraph before holds them.
        QStringList words;
        QStringList firsts;
    };

    // Made for a run of changed paragraphs and dropped after it, so that each word of the run is
    // looked up once and no word stays that the passage no longer holds.
    std::unique_ptr<core::TextAnnotator> annotator_;
    core::KnownWords known_;
    // The paragraphs of the passage the result does not yet follow: from changedFrom_ up to
    // changedToEnd_ paragraphs before the end; none when changedFrom_ is negative. The result's
    // paragraphs before and after them follow the passage's.
    int changedFrom_ = -1;
    int changedToEnd_ = 0;
    // First-only: where the result's paragraphs are still to be checked against the words
    // before them; negative when they are.
    int checkFrom_ = -1;
    std::vector<Paragraph> paragraphs_{1};
    QSet<QString> seen_;  // first-only: the words of paragraphs_ before seenTo_
    int seenTo_ = 0;
    core::TextCounts counts_;
    QString lastCodes_;  // of the last word annotated
    bool lastAmerican_ = false;

    QPlainTextEdit* source_ = nullptr;  // Text1
    QLabel* sourcePath_ = nullptr;      // Label3
    QComboBox* level_ = nullptr;        // Combo1
    QLabel* knownPath_ = nullptr;       // Label7
    QCheckBox* firstOnly_ = nullptr;    // Check1
    QCheckBox* guesses_ = nullptr;      // Check2
    QCheckBox* weakForms_ = nullptr;    // Check3
    QComboBox* symbols_ = nullptr;      // Combo2
    widgets::AccentChooser* accent_ = nullptr;
    QLabel* countsLabel_ = nullptr;  // Label5
    output::WorkingDocument* workingDocument_ = nullptr;
    output::DocumentBox* document_ = nullptr;   // Rich1
    widgets::SpeechCommand* speech_ = nullptr;  // Label14 and F5
    QTimer* updateTimer_ = nullptr;
    QTimer* fillTimer_ = nullptr;
    int previousLevel_ = 0;
    QStringList knownWords_;  // the list read, as a recovery copy keeps it
};

}  // namespace text
