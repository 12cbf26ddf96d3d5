#include "frm4.h"

#include <QAbstractTextDocumentLayout>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <limits>

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

// Where a run's lines go into the document, and their layout. Once the lines reach below the
// view, the text engine stops laying them out while the run goes (the view keeps showing what it
// showed): laying out 100,000 lines in three faces costs more than the whole rest of a run.
// After the run it lays out the document again from the top, a step at a time while the window
// waits for events. The view shows the run's first lines and stays there. The caret's line stays
// hidden until the lines above it are laid out: asking where the caret is would lay out everything
// at once. The user's caret moved into that line shows it at once.
class Frm4::LaterLayout final : public QObject {
public:
    explicit LaterLayout(output::DocumentBox& box) : QObject(&box), box_(box) {
        steps_.setInterval(0);
        connect(&steps_, &QTimer::timeout, this, &LaterLayout::layOutStep);
        connect(&box_, &QTextEdit::cursorPositionChanged, this, &LaterLayout::onCaretMoved);
        box_.installEventFilter(this);
    }

    void runStarting() {
        finishNow();
        running_ = true;
        const QTextBlock caret = box_.document()->findBlock(box_.textCursor().selectionStart());
        const QTextDocument* document = box_.document();
        runTop_ = qMax(0, int(document->documentLayout()->blockBoundingRect(caret).top() -
                              document->documentMargin()));
    }

    // Runs (lines of them) at the caret, replacing the selection, as the document box inserts
    // them. The view follows the caret only as long as it keeps the run's first line. A few lines
    // cost little to lay out: they go in as usual, wherever they land.
    void insert(const QList<core::Run>& runs, qint64 lines) {
        if (!deferred_ && lines >= kFewLines && caretBelowView()) {
            defer();
        }
        box_.insertRuns(runs);
        QScrollBar* bar = box_.verticalScrollBar();
        bar->setValue(deferred_ ? view_ : qMin(bar->value(), runTop_));
    }

    void runEnded() {
        running_ = false;
        if (!deferred_) {
            return;
        }
        deferred_ = false;
        QTextDocument* document = box_.document();
        caret_ = box_.textCursor();
        caret_.clearSelection();
        caret_.block().setVisible(false);
        // A size from the box (the window was resized meanwhile) wins.
        document->setPageSize(document->pageSize().isNull() ? pageSize_ : document->pageSize());
        // Down to the bottom of the view now, so that it shows what it showed.
        QAbstractTextDocumentLayout* layout = document->documentLayout();
        layout->hitTest(QPointF(0, view_ + box_.viewport()->height()), Qt::FuzzyHit);
        box_.viewport()->setUpdatesEnabled(true);
        // The scroll bar learns the laid-out height a turn of the event loop later.
        box_.verticalScrollBar()->setValue(view_);
        restoreView_ = box_.verticalScrollBar()->value() != view_;
        stuckAt_ = -1;
        steps_.start();
    }

    // Every line laid out and shown now.
    void finishNow() {
        steps_.stop();
        if (caret_.isNull()) {
            return;
        }
        QTextDocument* document = box_.document();
        QTextBlock block = caret_.block();
        caret_ = QTextCursor();
        block.setVisible(true);
        document->markContentsDirty(block.position(), block.length());
        // Whatever the text engine left out, laid out in one go.
        const int laidOut = lastLaidOutBlock(block.blockNumber());
        if (laidOut < block.blockNumber()) {
            const int from = document->findBlockByNumber(laidOut + 1).position();
            document->markContentsDirty(from, document->characterCount() - from);
        }
    }

private:
    bool caretBelowView() const {
        const QRectF line =
            box_.document()->documentLayout()->blockBoundingRect(box_.textCursor().block());
        return line.top() >= box_.verticalScrollBar()->value() + box_.viewport()->height();
    }

    // No layout until the run ends; the view keeps its picture.
    void defer() {
        deferred_ = true;
        view_ = box_.verticalScrollBar()->value();
        box_.viewport()->setUpdatesEnabled(false);
        pageSize_ = box_.document()->pageSize();
        // A null size, not merely an invalid one, is what stops the layout.
        box_.document()->setPageSize(QSizeF(0, 0));
    }

    // Lays out the lines below the laid-out part for about kStepNs. The text engine lays out the
    // rest of a document in steps of its own that double each time, which would hold the window
    // up for longer and longer; a change of the lines just below the laid-out part starts them
    // small again. The change reaches well past the engine's first step: the engine skips lines
    // outside a change without laying them out.
    void layOutStep() {
        QElapsedTimer clock;
        clock.start();
        QScrollBar* bar = box_.verticalScrollBar();
        if (restoreView_ && bar->maximum() >= view_) {
            bar->setValue(view_);
            restoreView_ = false;
        }
        if (caret_.isNull()) {
            return;
        }
        QTextDocument* document = box_.document();
        const int last = caret_.block().blockNumber() - 1;
        int laidOut = lastLaidOutBlock(last);
        if (laidOut >= last || laidOut <= stuckAt_) {
            finishNow();  // done, or the engine went no further since the last step
            return;
        }
        stuckAt_ = laidOut;
        const int from = document->findBlockByNumber(laidOut).position();
        const QTextBlock reach = document->findBlockByNumber(qMin(laidOut + kReach, last));
        document->markContentsDirty(from, reach.position() + reach.length() - from);
        QAbstractTextDocumentLayout* layout = document->documentLayout();
        while (laidOut < last && clock.nsecsElapsed() < kStepNs) {
            laidOut = qMin(laidOut + kLinesAtOnce, last);
            layout->blockBoundingRect(document->findBlockByNumber(laidOut));
        }
    }

    // The last of the blocks 0 to last that the text engine has laid out (it lays them out in
    // order); -1 when none.
    int lastLaidOutBlock(int last) const {
        const QTextDocument* document = box_.document();
        int low = -1;
        int high = last + 1;
        while (high - low > 1) {
            const int middle = low + (high - low) / 2;
            const QTextLayout* line = document->findBlockByNumber(middle).layout();
            (line && line->lineCount() > 0 ? low : high) = middle;
        }
        return low;
    }

    // A key in the document (Ctrl+End above all, with the caret already at the end) finds every
    // line laid out.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && !running_ && !caret_.isNull()) {
            finishNow();
        }
        return QObject::eventFilter(watched, event);
    }

    void onCaretMoved() {
        if (running_ || caret_.isNull() || box_.textCursor().block().isVisible()) {
            return;
        }
        finishNow();
        box_.ensureCursorVisible();
    }

    static constexpr qint64 kStepNs = 15'000'000;
    static constexpr int kLinesAtOnce = 100;
    static constexpr int kReach = 1000;
    static constexpr qint64 kFewLines = 200;
    output::DocumentBox& box_;
    QTimer steps_;
    QSizeF pageSize_;
    QTextCursor caret_;  // in the line held back; null when every line shows
    int view_ = 0;       // the scroll bar's value once the layout waits
    int runTop_ = 0;     // where the run's first line starts
    int stuckAt_ = -1;   // the last block laid out at the last step
    bool deferred_ = false;
    bool running_ = false;
    bool restoreView_ = false;
};

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
            window_.laterLayout_->insert(pending_, pendingLines_);
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
    laterLayout_ = new LaterLayout(*document_);
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
    laterLayout_->runStarting();
    const core::RunSummary summary = engine.run(list.lines, output);
    output.finish();
    laterLayout_->runEnded();
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
