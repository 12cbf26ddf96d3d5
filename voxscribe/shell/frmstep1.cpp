#include "frmstep1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

#include "clickablelabel.h"
#include "documentbox.h"
#include "documentsaver.h"
#include "fontcheck.h"
#include "form1.h"
#include "frm1.h"
#include "frm3.h"
#include "frm4.h"
#include "frm5.h"
#include "recovery.h"
#include "services.h"
#include "soundoutput.h"
#include "suggestion.h"
#include "titlestrip.h"
#include "windowchrome.h"

namespace shell {
namespace {

// Design size of the client area: 8685 x 5205 twips.
constexpr QSize kDesignSize(579, 347);

QString windowName(core::WorkingWindow window) {
    return core::objectNameOf(window);
}

// Unsaved documents are kept once a minute: a crash loses at most that.
constexpr int kRecoveryInterval = 60 * 1000;

const char* const kModeLabelStyle =
    "QLabel { background: #f4f8fb; border: 1px solid #9bb7cc; border-radius: 6px;"
    " color: #1f4e79; font-size: 15pt; font-weight: bold; }"
    "QLabel:hover { background: #dcebf5; border-color: #1f4e79; }";
const char* const kHelpLabelStyle =
    "QLabel { color: #1f4e79; text-decoration: underline; font-size: 11pt; }"
    "QLabel:hover { color: #c0392b; }";
const char* const kDescriptionStyle =
    "QLabel { background: #fffdf5; border: 1px solid #e3d9b8; border-radius: 4px;"
    " color: #333333; font-size: 11pt; padding: 8px; }";
const char* const kFrameStyle =
    "QFrame#Frame1 { background: #ffffff; border: 1px solid #c9d6e0; border-radius: 8px; }";

}  // namespace

Frmstep1::Frmstep1(platform::Services& services, core::LookupClient& lookup,
                   const QString& recoveryFolder, QWidget* parent)
    : QWidget(parent),
      services_(services),
      lookup_(lookup),
      endProgram_(&Frmstep1::endProgramNow),
      recovery_(std::make_unique<output::RecoveryStore>(
          recoveryFolder.isEmpty() ? output::RecoveryStore::defaultFolder() : recoveryFolder)),
      recoveryTimer_(new QTimer(this)),
      speech_(std::make_shared<core::Speech>(std::make_shared<core::AudioSinkOutput>())) {
    setObjectName(QStringLiteral("frmstep1"));
    setWindowTitle(caption());
    setMouseTracking(true);
    buildControls();
    placeControls();
    chrome_ = new widgets::WindowChrome(this, titleStrip_);
    setWindowFactory(core::WorkingWindow::ManualInput, [this](QWidget* owner) -> QWidget* {
        auto* window = new manual::Form1(services_, owner);
        window->setSpeech(speech_);
        return window;
    });
    // The modeless window stands beside the launcher as a window of its own, with its own
    // task-bar entry, rather than being kept above it; the launcher still deletes it at the end.
    setWindowFactory(core::WorkingWindow::SmartAnnotation, [this](QWidget*) -> QWidget* {
        auto* window = new smart::Frm3(services_, lookup_, nullptr);
        window->setSpeech(speech_);
        smart::attachManualEntry(*window, services_, std::make_shared<core::EspeakSuggestion>(),
                                 speech_);
        return window;
    });
    setWindowFactory(core::WorkingWindow::Batch, [this](QWidget* owner) -> QWidget* {
        return new batch::Frm4(services_, lookup_, owner);
    });
    setWindowFactory(core::WorkingWindow::Text, [this](QWidget*) -> QWidget* {
        auto* window =
            new text::Frm5(services_, lookup_, std::make_shared<core::EspeakSuggestion>());
        window->setSpeech(speech_);
        return window;
    });
    resize(kDesignSize);
    recoveryTimer_->setInterval(kRecoveryInterval);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] {
        for (const Unkept& failure : keepUnsavedDocuments()) {
            // Tried again at the next tick, and asked about at exit.
            qWarning("voxscribe: %s", qUtf8Printable(failure.error));
        }
    });
    recoveryTimer_->start();
    // Removed at the start rather than at the end, when a word processor may still hold them.
    output::removeTransferFiles(services_.folder);
    checkPhoneticFont();
}

Frmstep1::~Frmstep1() {
    for (Slot& working : windows_) {
        // The program is ending, not the user closing a window: the copies of unsaved
        // documents stay for the next run.
        if (working.window != nullptr) {
            disconnect(working.window, nullptr, this, nullptr);
        }
        delete working.window;
    }
}

QString Frmstep1::description(core::WorkingWindow window) {
    return QString::fromUtf8(core::factsOf(window).description);
}

void Frmstep1::buildControls() {
    setStyleSheet(QStringLiteral("QWidget#frmstep1 { background: #eef3f7; }"));
    titleStrip_ = new widgets::TitleStrip(this);
    titleStrip_->setObjectName(QStringLiteral("Image1"));
    titleStrip_->setTitle(QStringLiteral("Voxscribe"));
    titleStrip_->setSubtitle(QStringLiteral("英语单词音标标注"));
    titleStrip_->setMouseTracking(true);
    titleStrip_->installEventFilter(this);

    modesFrame_ = new QFrame(this);
    modesFrame_->setObjectName(QStringLiteral("Frame1"));
    modesFrame_->setStyleSheet(QString::fromLatin1(kFrameStyle));
    modesFrame_->setMouseTracking(true);
    modesFrame_->installEventFilter(this);

    for (const core::WorkingWindowFacts& facts : core::workingWindows()) {
        auto* label = new widgets::ClickableLabel(QString::fromUtf8(facts.title), modesFrame_);
        label->setObjectName(QString::fromLatin1(facts.launcherLabel));
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QString::fromLatin1(kModeLabelStyle));
        label->setCursor(Qt::PointingHandCursor);
        // The mouse over a mode label concerns that label only, not the frame behind it.
        label->setAttribute(Qt::WA_NoMousePropagation);
        const core::WorkingWindow window = facts.window;
        connect(label, &widgets::ClickableLabel::mouseMoved, this,
                [this, window] { onModeHovered(window); });
        connect(label, &widgets::ClickableLabel::clicked, this,
                [this, window] { onModeClicked(window); });
        modeLabels_[static_cast<std::size_t>(window)] = label;
    }

    helpLabel_ = new widgets::ClickableLabel(QStringLiteral("帮助"), modesFrame_);
    helpLabel_->setObjectName(QStringLiteral("Label7"));
    helpLabel_->setAlignment(Qt::AlignCenter);
    helpLabel_->setStyleSheet(QString::fromLatin1(kHelpLabelStyle));
    helpLabel_->setCursor(Qt::PointingHandCursor);
    helpLabel_->setAttribute(Qt::WA_NoMousePropagation);
    connect(helpLabel_, &widgets::ClickableLabel::clicked, this, &Frmstep1::onHelpClicked);

    // The description stays while the mouse rests on it, so that it can be read.
    description_ = new QLabel(modesFrame_);
    description_->setObjectName(QStringLiteral("Label5"));
    description_->setWordWrap(true);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setStyleSheet(QString::fromLatin1(kDescriptionStyle));
    description_->setAttribute(Qt::WA_NoMousePropagation);
}

// Positions in pixels at 96 DPI (twips / 15).
void Frmstep1::placeControls() {
    const struct {
        QWidget* widget;
        QRect rect;
    } placements[] = {
        {titleStrip_, {0, 0, kDesignSize.width(), 48}},
        {modesFrame_, {19, 62, 540, 270}},
        {modeLabels_[0], {20, 18, 118, 48}},
        {modeLabels_[1], {147, 18, 118, 48}},
        {modeLabels_[2], {274, 18, 118, 48}},
        {modeLabels_[3], {401, 18, 118, 48}},
        {description_, {20, 84, 500, 132}},
        {helpLabel_, {440, 228, 80, 28}},
    };
    for (const auto& placement : placements) {
        placement.widget->setGeometry(placement.rect);
    }
}

void Frmstep1::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame(QPoint(0, 0), frameGeometry().size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

// The program needs the phonetic font but never installs it; the user is told where to copy it.
void Frmstep1::checkPhoneticFont() {
    if (!platform::phoneticFontInstalled()) {
        services_.messages.show(this, platform::missingFontMessage(services_.folder, true),
                                platform::Icon::Critical, platform::Buttons::Ok,
                                platform::Answer::Ok);
    }
}

void Frmstep1::setWindowFactory(core::WorkingWindow window, WindowFactory factory) {
    slot(window).make = std::move(factory);
}

void Frmstep1::setProgramEnd(std::function<void()> end) {
    endProgram_ = std::move(end);
}

Frmstep1::Slot& Frmstep1::slot(core::WorkingWindow window) {
    return windows_[static_cast<std::size_t>(window)];
}

QWidget* Frmstep1::workingWindow(core::WorkingWindow window) const {
    return windows_[static_cast<std::size_t>(window)].window;
}

QWidget* Frmstep1::ensureWorkingWindow(core::WorkingWindow window) {
    Slot& working = slot(window);
    if (working.window != nullptr || !working.make) {
        return working.window;
    }
    QWidget* widget = working.make(this);
    if (widget == nullptr) {
        return nullptr;
    }
    if (!widget->isWindow()) {
        widget->setWindowFlag(Qt::Window);
    }
    // Nothing of a working window survives its closing; the next opening starts afresh.
    widget->setAttribute(Qt::WA_DeleteOnClose);
    QRect frame(QPoint(0, 0), widget->size());
    frame.moveCenter(frameGeometry().center());
    widget->move(frame.topLeft());
    working.window = widget;
    watchDocument(window, widget);
    return widget;
}

void Frmstep1::openWorkingWindow(core::WorkingWindow window) {
    if (ensureWorkingWindow(window) != nullptr) {
        presentWorkingWindow(window);
    }
}

void Frmstep1::presentWorkingWindow(core::WorkingWindow window) {
    QWidget* widget = slot(window).window;
    if (widget == nullptr) {
        return;
    }
    if (core::factsOf(window).modal) {
        runModal(widget);
        return;
    }
    if (widget->isMinimized()) {
        widget->showNormal();
    }
    widget->show();
    widget->raise();
    widget->activateWindow();
}

// Each working window holds one document box.
output::DocumentBox* Frmstep1::documentOf(const QWidget* window) {
    return window != nullptr ? window->findChild<output::DocumentBox*>() : nullptr;
}

QByteArray Frmstep1::keptStateOf(QWidget* window) {
    const auto* text = qobject_cast<text::Frm5*>(window);
    return text != nullptr ? text->optionState() : QByteArray();
}

QTextDocument* Frmstep1::keptDocumentOf(QWidget* window) {
    if (auto* text = qobject_cast<text::Frm5*>(window)) {
        return text->sourceDocument();
    }
    output::DocumentBox* box = documentOf(window);
    return box != nullptr ? box->document() : nullptr;
}

// A saved document needs no copy; a window the user closed has answered for its document.
void Frmstep1::watchDocument(core::WorkingWindow window, QWidget* widget) {
    const QString name = windowName(window);
    const auto forget = [this, name] {
        recovery_->discard(name);
        kept_.remove(name);
    };
    if (const output::DocumentBox* box = documentOf(widget)) {
        connect(box->document(), &QTextDocument::modificationChanged, this,
                [forget](bool modified) {
                    if (!modified) {
                        forget();
                    }
                });
    }
    connect(widget, &QObject::destroyed, this, forget);
}

std::vector<Frmstep1::Unkept> Frmstep1::keepUnsavedDocuments() {
    std::vector<Unkept> unkept;
    for (const core::WorkingWindowFacts& facts : core::workingWindows()) {
        QWidget* window = slot(facts.window).window;
        const output::DocumentBox* box = documentOf(window);
        if (box == nullptr || !box->document()->isModified()) {
            continue;
        }
        const QTextDocument* kept = keptDocumentOf(window);
        const QString name = windowName(facts.window);
        std::pair<int, QByteArray> version{kept->revision(), keptStateOf(window)};
        if (kept_.value(name, {-1, {}}) == version) {
            continue;  // the copy is up to date
        }
        QString error;
        if (recovery_->keep(name, *kept, &error, version.second)) {
            kept_.insert(name, std::move(version));
        } else {
            unkept.push_back({facts.window, error});
        }
    }
    return unkept;
}

QString Frmstep1::unkeptQuestion(const std::vector<Unkept>& unkept) {
    QStringList lines;
    for (const Unkept& failure : unkept) {
        lines << QStringLiteral("“%1”：%2").arg(core::titleOf(failure.window), failure.error);
    }
    return QStringLiteral(
               "下面的文档没有保存，也无法留下恢复副本，退出后就会丢失：\n%1\n"
               "现在保存吗？")
        .arg(lines.join(u'\n'));
}

// As a word processor asks: save now, end anyway, or stay.
bool Frmstep1::confirmExitWithoutCopies(const std::vector<Unkept>& unkept) {
    switch (services_.messages.show(this, unkeptQuestion(unkept), platform::Icon::Question,
                                    platform::Buttons::SaveDiscardCancel, platform::Answer::Save)) {
        case platform::Answer::Save:
            for (const Unkept& failure : unkept) {
                QWidget* window = slot(failure.window).window;
                auto* saver =
                    window != nullptr ? window->findChild<output::DocumentSaver*>() : nullptr;
                // A cancelled or failed save keeps the program running with the document.
                if (saver == nullptr || !saver->save()) {
                    return false;
                }
            }
            return true;
        case platform::Answer::Discard:
            return true;
        default:
            return false;
    }
}

void Frmstep1::offerRecovery() {
    const QList<output::RecoveryStore::Copy> copies = recovery_->leftBehind();
    if (copies.isEmpty()) {
        recovery_->forgetLeftBehind();  // the folders of runs that kept nothing
        return;
    }
    if (services_.messages.show(this, recoveryQuestion(), platform::Icon::Question,
                                platform::Buttons::YesNo,
                                platform::Answer::Yes) != platform::Answer::Yes) {
        recovery_->forgetLeftBehind();
        return;
    }
    std::vector<core::WorkingWindow> restored;
    for (const core::WorkingWindowFacts& facts : core::workingWindows()) {
        for (const output::RecoveryStore::Copy& copy : copies) {
            if (copy.window != windowName(facts.window)) {
                continue;
            }
            QWidget* window = ensureWorkingWindow(facts.window);
            output::DocumentBox* box = documentOf(window);
            // The options first, so that the passage is annotated once, as it was.
            if (auto* text = qobject_cast<text::Frm5*>(window); text && !copy.state.isEmpty()) {
                text->restoreOptions(copy.state);
            }
            if (box == nullptr ||
                !output::RecoveryStore::read(copy.path, *keptDocumentOf(window))) {
                continue;
            }
            // Restored, not saved: closing the window asks about it like any other change.
            box->document()->setModified(true);
            if (std::find(restored.begin(), restored.end(), facts.window) == restored.end()) {
                restored.push_back(facts.window);
            }
        }
    }
    // The copies move into this run before the old ones go, so that a crash now loses nothing.
    keepUnsavedDocuments();
    recovery_->forgetLeftBehind();
    // A modal window waits until it closes: the others are shown first.
    std::stable_partition(restored.begin(), restored.end(),
                          [](core::WorkingWindow window) { return !core::factsOf(window).modal; });
    for (core::WorkingWindow window : restored) {
        presentWorkingWindow(window);
    }
}

// The modal working windows are dialogs, whose own event loop waits until they close.
void Frmstep1::runModal(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
    } else {
        window->show();
    }
}

void Frmstep1::endProgramNow() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

void Frmstep1::onModeClicked(core::WorkingWindow window) {
    openWorkingWindow(window);
}

// What becomes of the opening (a missing page, no application for it) is not reported.
void Frmstep1::onHelpClicked() {
    services_.shell.open(this, services_.folder.file(QStringLiteral("help.htm")));
}

void Frmstep1::onModeHovered(core::WorkingWindow window) {
    description_->setText(description(window));
}

void Frmstep1::onBackgroundHovered() {
    description_->clear();
}

bool Frmstep1::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == modesFrame_ || watched == titleStrip_) && event->type() == QEvent::MouseMove) {
        onBackgroundHovered();
    }
    return QWidget::eventFilter(watched, event);
}

void Frmstep1::mouseMoveEvent(QMouseEvent* event) {
    onBackgroundHovered();
    QWidget::mouseMoveEvent(event);
}

// The frame around the window is known once it is shown, so the centring waits for that.
void Frmstep1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centreOnScreen();
    }
    if (!recoveryOffered_) {
        recoveryOffered_ = true;
        // Once the launcher stands on the screen, the question has a window to belong to.
        QTimer::singleShot(0, this, &Frmstep1::offerRecovery);
    }
}

void Frmstep1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    titleStrip_->resize(width(), titleStrip_->height());
    keepFrameCentred();
}

// A launcher narrower than the frame leaves the frame where it is.
void Frmstep1::keepFrameCentred() {
    if (width() >= modesFrame_->width()) {
        modesFrame_->move((width() - modesFrame_->width()) / 2, modesFrame_->y());
    }
}

// Closing the launcher, whatever the cause, ends the program once the user confirms.
void Frmstep1::closeEvent(QCloseEvent* event) {
    const platform::Answer answer =
        services_.messages.show(this, exitQuestion(), platform::Icon::Question,
                                platform::Buttons::OkCancel, platform::Answer::Cancel);
    if (answer != platform::Answer::Ok) {
        event->ignore();
        return;
    }
    // The program ends without asking about documents whose copies are kept for the next run;
    // it asks about those it could keep no copy of.
    const std::vector<Unkept> unkept = keepUnsavedDocuments();
    if (!unkept.empty() && !confirmExitWithoutCopies(unkept)) {
        event->ignore();
        return;
    }
    event->accept();
    endProgram_();
}

}  // namespace shell
