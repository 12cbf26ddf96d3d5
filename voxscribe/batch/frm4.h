// The batch-annotation window: choose a word list, annotate every word into the document, save.
#pragma once

#include "escproofdialog.h"

#include "batchengine.h"

class QLabel;
class QProgressBar;
class QShortcut;

namespace output {
class DocumentBox;
class DocumentSaver;
}  // namespace output
namespace platform {
struct Services;
}
namespace shell {
class ClickableLabel;
class WindowChrome;
}  // namespace shell
namespace smart {
class LookupClient;
}

namespace batch {

class Frm4 : public shell::EscProofDialog {
    Q_OBJECT
public:
    Frm4(platform::Services& services, smart::LookupClient& client, QWidget* parent = nullptr);

    static QString hintText();
    static QString statusText();
    static QString openFilter();
    static QString openTitle();

    // Annotates the word list at path into Rich2 at the caret, as a click on Label5 does after
    // the dialog. A file that cannot be read is reported and changes nothing.
    void annotateFile(const QString& path);
    bool isRunning() const { return running_; }

    QWidget* Image1;
    QLabel* lblbiaoti;
    QLabel* lblmin;
    QLabel* lblclose;
    QLabel* Label1;
    shell::ClickableLabel* Label5;
    QLabel* Label2;
    QLabel* Label3;
    QProgressBar* ProgressBar1;
    output::DocumentBox* Rich2;
    shell::ClickableLabel* Label4;

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
    void buildControls();
    void setRunning(bool running);
    void reportRunProblems(const RunSummary& summary);

    platform::Services& services_;
    smart::LookupClient& client_;
    output::DocumentSaver* saver_ = nullptr;
    shell::WindowChrome* chrome_ = nullptr;
    QShortcut* saveShortcut_ = nullptr;
    bool running_ = false;
    Qt::TextInteractionFlags idleInteraction_;
};

}  // namespace batch
