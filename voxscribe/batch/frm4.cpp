#include "frm4.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QShortcut>

#include "accentchooser.h"
#include "boxlayouts.h"
#include "clickablelabel.h"
#include "documentbox.h"
#include "documentsaver.h"
#include "lookupclient.h"
#include "misslog.h"
#include "objectnames.h"
#include "services.h"
#include "windowchrome.h"
#include "wordlist.h"

namespace batch {
namespace {

// Design size of the client area: 7890 x 6000 twips.
constexpr int kWidth = 7890;
constexpr int kHeight = 6000;

}  // namespace

// The window's output of a run: the progress, pending events between lookups, and the batch
// lines inserted into document_ at the caret. The lines go in once a frame rather than one by one:
// the document box lays out and repaints after every insertion, which would cost many times the
// annotation itself. The window takes the user's events every couple of milliseconds rather than
// after every word: asking the event loop costs system calls even when nothing waits, more than
// a lookup, and nobody notices a wait that short.
class Frm4::DocumentOutput final : public core::BatchSink {
public:
    explicit DocumentOutput(Frm4& window) : window_(window) { frame_.start(); }

    void wordStarting(qsizetype index, qsizetype total) override {
        if (total != total_) {
            total_ = total;
            window_.progress_->setMaximum(int(total));
        }
        index_ = index;
    }
    void wordLookedUp() override {
        if (events_.isValid() && events_.nsecsElapsed() < kEventsNs) {
            return;
        }
        events_.start();
        QCoreApplication::processEvents();
    }
    void writeWord(const QString& key, const QString& transcription) override {
        writeRuns(core::batchLine(key, transcription));
    }
    void writeGuessedLine(const QString& key, const QString& codes) override {
        writeRuns(core::guessedBatchLine(key, codes));
    }
    void writeBoth(const QString& key, const core::Shown& british,
                   const core::Shown& american) override {
        writeRuns(core::bothBatchLine(key, british, american));
    }

    // After the run: the last lines, and the last batch line on the clipboard, as a line-by-line
    // paste through the clipboard would have left it.
    void finish() {
        showProgress();
        if (!last_.isEmpty()) {
            output::clipboard::clear();
            output::clipboard::put(core::textOf(last_));
        }
    }

private:
    void writeRuns(QList<core::Run> line) {
        for (const core::Run& run : line) {
            core::appendRun(pending_, run);
        }
        ++pendingLines_;
        last_ = std::move(line);
        // The insertion and its layout belong to the frame too, and cost more than the lookups.
        if (frame_.nsecsElapsed() + pendingLines_ * insertNsPerLine_ >= kFrameNs) {
            showProgress();
        }
    }

    void showProgress() {
        frame_.restart();
        if (!pending_.isEmpty()) {
            QElapsedTimer insertion;
            insertion.start();
            window_.document_->insertRuns(pending_);
            insertNsPerLine_ = qMax<qint64>(1, insertion.nsecsElapsed() / pendingLines_);
            pending_.clear();
            pendingLines_ = 0;
        }
        window_.progress_->setValue(int(index_ + 1));
    }

    // A repaint this often shows a steady run.
    static constexpr qint64 kFrameNs = 40'000'000;
    static constexpr qint64 kEventsNs = 2'000'000;
    // Until the first insertion is measured: more than a line has ever cost.
    qint64 insertNsPerLine_ = 100'000;
    qint64 pendingLines_ = 0;
    Frm4& window_;
    QElapsedTimer frame_;
    QElapsedTimer events_;  // since the events last ran; invalid until the first word
    QList<core::Run> pending_;
    QList<core::Run> last_;
    qsizetype index_ = -1;
    qsizetype total_ = -1;
};

QString Frm4::hintText() {
    return QStringLiteral("请选择扩展名为txt的文本文件.请确认是一个单词占一行");
}
QString Frm4::statusText() {
    return QStringLiteral("正在标注,请稍候……");
}
QString Frm4::openTitle() {
    return QStringLiteral("请选择文本文件，一个单词一行");
}

Frm4::Frm4(platform::Services& services, core::LookupClient& client, QWidget* parent)
    : EscProofDialog(parent), services_(services), client_(client) {
    buildControls();
    saver_ = new output::DocumentSaver(widgets::WorkingWindow::Batch, services_, document_, this,
                                       nullptr, this);

    connect(chooseFileLabel_, &widgets::ClickableLabel::clicked, this, &Frm4::onChooseFileClicked);
    connect(saveLabel_, &widgets::ClickableLabel::clicked, this, &Frm4::onSaveClicked);
    // Alt+A saves wherever the focus is in the window, the document box included.
    saveShortcut_ = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_A), this);
    saveShortcut_->setContext(Qt::WindowShortcut);
    connect(saveShortcut_, &QShortcut::activated, this, &Frm4::onSaveClicked);
}

void Frm4::buildControls() {
    setObjectName(QStringLiteral("Frm4"));
    setWindowTitle(QString());
    resize(widgets::pixels(kWidth), widgets::pixels(kHeight));
    chrome_ = new widgets::WindowChrome(this, widgets::WorkingWindow::Batch);

    auto* hint = new QLabel(hintText(), this);
    hint->setWordWrap(true);
    chooseFileLabel_ = widgets::commandLabel(QStringLiteral("选择文件…"), this);
    pathLabel_ = new QLabel(this);
    pathLabel_->setTextFormat(Qt::PlainText);  // a file name is never markup
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pathLabel_->setMinimumWidth(0);
    pathLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusLabel_ = new QLabel(this);
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(true);
    progress_->setVisible(false);
    document_ = new output::DocumentBox(this);
    document_->setDefaultFormat(core::batchDocumentFont(), core::kBatchPointSize);
    saveLabel_ = widgets::commandLabel(QStringLiteral("保 存"), this);
    accent_ = new widgets::AccentChooser(objectName(), this);

    widgets::nameObjects({{hint, "Label1"},
                          {chooseFileLabel_, "Label5"},
                          {pathLabel_, "Label2"},
                          {statusLabel_, "Label3"},
                          {progress_, "ProgressBar1"},
                          {document_, "Rich2"},
                          {saveLabel_, "Label4"}});

    widgets::layOutWorkingWindow(this, chrome_->strip(),
                                 {hint,
                                  widgets::row({chooseFileLabel_, {pathLabel_, 1}, accent_}),
                                  {document_, 1},
                                  widgets::row({{statusLabel_, 1}, {progress_, 1}, saveLabel_})});
    document_->setFocus();
}

void Frm4::onChooseFileClicked() {
    if (running_) {
        return;
    }
    const QString path =
        services_.files.openFileName(this, openTitle(), widgets::textFileFilter(), QString());
    if (path.isEmpty()) {
        return;
    }
    annotateFile(path);
}

void Frm4::annotateFile(const QString& path) {
    if (running_) {
        return;
    }
    pathLabel_->setText(path);
    const core::WordList list = core::readWordList(path);
    if (!list.ok()) {
        services_.messages.show(this, list.error, platform::Icon::Critical, platform::Buttons::Ok,
                                platform::Answer::Ok);
        return;
    }
    core::BatchEngine engine(
        client_, core::MissLog(services_.folder.writableFile(core::MissLog::fileName())));
    engine.setAccent(accent_->accent());
    DocumentOutput output(*this);
    setRunning(true);
    const core::RunSummary summary = engine.run(list.lines, output);
    output.finish();
    setRunning(false);
    reportRunProblems(summary);
}

void Frm4::reportRunProblems(const core::RunSummary& summary) {
    if (summary.missLogFailed) {
        services_.messages.show(this,
                                QStringLiteral("无法写入“%1”，没找到音标的单词没有记录下来。\r\n"
                                               "标注结果仍在窗口中。")
                                    .arg(services_.folder.writableFile(core::MissLog::fileName())),
                                platform::Icon::Critical, platform::Buttons::Ok,
                                platform::Answer::Ok);
    }
}

void Frm4::setRunning(bool running) {
    running_ = running;
    // Nothing may cut into a run while it lets events through: no second run, no save of a
    // half-written document, no close, and no typing or clicking that would move the caret the
    // lines go to.
    chooseFileLabel_->setEnabled(!running);
    saveLabel_->setEnabled(!running);
    accent_->setEnabled(!running);
    chrome_->closeLabel()->setEnabled(!running);
    saveShortcut_->setEnabled(!running);
    if (running) {
        idleInteraction_ = document_->textInteractionFlags();
        document_->setTextInteractionFlags(Qt::NoTextInteraction);
        statusLabel_->setText(statusText());
        progress_->setValue(0);
    } else {
        document_->setTextInteractionFlags(idleInteraction_);
        statusLabel_->clear();
    }
    progress_->setVisible(running);
}

void Frm4::onSaveClicked() {
    if (running_) {
        return;
    }
    saver_->save();
}

void Frm4::reject() {
    if (running_) {
        return;
    }
    QDialog::reject();
}

// During a run the window stays: the run is still writing into its document. A document that
// changed since its last save is asked about first.
void Frm4::closeEvent(QCloseEvent* event) {
    if (running_ || !saver_->confirmClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace batch
