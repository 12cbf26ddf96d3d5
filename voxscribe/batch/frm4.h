// The batch-annotation window: choose a word list, annotate every word into the document, save.
#pragma once

#include "escproofdialog.h"

#include "batchengine.h"
#include "workingwindowinterface.h"

class QLabel;
class QProgressBar;
class QShortcut;

namespace platform {
struct Services;
}
namespace widgets {
class AccentChooser;
class ClickableLabel;
class WindowChrome;
}  // namespace widgets
namespace core {
class LookupClient;
}

namespace batch {

class Frm4 : public widgets::EscProofDialog, public output::WorkingWindowInterface {
    Q_OBJECT
public:
    Frm4(platform::Services& services, core::LookupClient& client, QWidget* parent = nullptr);

    static QString hintText();
    static QString statusText();
    static QString openTitle();

    // Annotates the word list at path into the document at the caret, as choosing the file in
    // the dialog does. A file that cannot be read is reported and changes nothing.
    void annotateFile(const QString& path);
    bool isRunning() const { return running_; }
    // The document box Rich2.
    output::DocumentBox* documentBox() const override { return document_; }
    output::DocumentSaver* documentSaver() const override { return saver_; }
    QWidget* widget() override { return this; }

public Q_SLOTS:
    // Esc and the system's close come here; both are refused while a run goes.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void onChooseFileClicked();
    void onSaveClicked();

private:
    class DocumentOutput;
    class LaterLayout;
    void buildControls();
    void setRunning(bool running);
    void reportRunProblems(const core::RunSummary& summary);

    platform::Services& services_;
    core::LookupClient& client_;
    output::DocumentSaver* saver_ = nullptr;
    widgets::WindowChrome* chrome_ = nullptr;
    QShortcut* saveShortcut_ = nullptr;
    // Label5, Label2, Label3, ProgressBar1, Rich2 and Label4.
    widgets::ClickableLabel* chooseFileLabel_ = nullptr;
    QLabel* pathLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    output::DocumentBox* document_ = nullptr;
    widgets::ClickableLabel* saveLabel_ = nullptr;
    widgets::AccentChooser* accent_ = nullptr;
    LaterLayout* laterLayout_ = nullptr;
    bool running_ = false;
    Qt::TextInteractionFlags idleInteraction_;
};

}  // namespace batch
