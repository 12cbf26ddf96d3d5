#include "frmstep1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "clickablelabel.h"
#include "documentsaver.h"
#include "fontcheck.h"
#include "recoverycopies.h"
#include "services.h"
#include "titlestrip.h"
#include "windowchrome.h"

namespace shell {
namespace {

// Design size of the client area: 8685 x 5205 twips.
constexpr QSize kDesignSize(579, 347);

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
      endProgram_(&Frmstep1::endProgramNow),
      recovery_(new output::RecoveryCopies(services, recoveryFolder, this)),
      windows_(std::make_unique<WorkingWindowList>(services, lookup, this, *recovery_)) {
    setObjectName(QStringLiteral("frmstep1"));
    setWindowTitle(caption());
    setMouseTracking(true);
    buildControls();
    placeControls();
    chrome_ = new widgets::WindowChrome(this, titleStrip_);
    resize(kDesignSize);
    // Removed at the start rather than at the end, when a word processor may still hold them.
    output::removeTransferFiles(services_.folder);
    checkPhoneticFont();
}

Frmstep1::~Frmstep1() = default;

QString Frmstep1::description(widgets::WorkingWindow window) {
    return QString::fromUtf8(widgets::factsOf(window).description);
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

    for (const widgets::WorkingWindowFacts& facts : widgets::workingWindows()) {
        auto* label = new widgets::ClickableLabel(QString::fromUtf8(facts.title), modesFrame_);
        label->setObjectName(QString::fromLatin1(facts.launcherLabel));
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QString::fromLatin1(kModeLabelStyle));
        label->setCursor(Qt::PointingHandCursor);
        // The mouse over a mode label concerns that label only, not the frame behind it.
        label->setAttribute(Qt::WA_NoMousePropagation);
        const widgets::WorkingWindow window = facts.window;
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

void Frmstep1::setWindowFactory(widgets::WorkingWindow window, WindowFactory factory) {
    windows_->setFactory(window, std::move(factory));
}

void Frmstep1::setProgramEnd(std::function<void()> end) {
    endProgram_ = std::move(end);
}

QWidget* Frmstep1::workingWindow(widgets::WorkingWindow window) const {
    return windows_->window(window);
}

void Frmstep1::openWorkingWindow(widgets::WorkingWindow window) {
    if (windows_->ensure(window) != nullptr) {
        windows_->present(window);
    }
}

void Frmstep1::offerRecovery() {
    const std::vector<widgets::WorkingWindow> restored = recovery_->offer(
        this, [this](widgets::WorkingWindow window) { return windows_->ensure(window); });
    for (widgets::WorkingWindow window : restored) {
        windows_->present(window);
    }
}

void Frmstep1::endProgramNow() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

void Frmstep1::onModeClicked(widgets::WorkingWindow window) {
    openWorkingWindow(window);
}

// What becomes of the opening (a missing page, no application for it) is not reported.
void Frmstep1::onHelpClicked() {
    services_.shell.open(this, services_.folder.file(QStringLiteral("help.htm")));
}

void Frmstep1::onModeHovered(widgets::WorkingWindow window) {
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
    if (!recovery_->readyToEnd(this)) {
        event->ignore();
        return;
    }
    event->accept();
    endProgram_();
}

}  // namespace shell
