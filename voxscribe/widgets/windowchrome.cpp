#include "windowchrome.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "clickablelabel.h"
#include "titlestrip.h"

namespace widgets {
namespace {

// Wayland does not let a program place its own windows; the compositor moves them instead.
bool windowSystemMovesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

WindowChrome::WindowChrome(QWidget* window, widgets::WorkingWindow titled)
    : QObject(window), window_(window) {
    const widgets::WorkingWindowFacts& texts = widgets::factsOf(titled);
    minimisedCaption_ = QString::fromUtf8(texts.title);
    window_->setWindowFlag(Qt::FramelessWindowHint, true);
    window_->setWindowTitle(QString());
    auto* strip = new TitleStrip(window_);
    strip->setObjectName(QStringLiteral("Image1"));
    strip->setFixedHeight(kStripHeight);
    strip->setGeometry(0, 0, window_->width(), kStripHeight);
    strip_ = strip;

    title_ = new QLabel(minimisedCaption_, strip);
    title_->setObjectName(QString::fromLatin1(texts.titleLabel));
    title_->setFont(TitleStrip::titleFont(strip->font()));
    // Pressing on the name drags the window like the rest of the strip.
    title_->setAttribute(Qt::WA_TransparentForMouseEvents);
    minimiseLabel_ = new ClickableLabel(QStringLiteral("—"), strip);
    minimiseLabel_->setObjectName(QStringLiteral("lblmin"));
    minimiseLabel_->setToolTip(QString::fromUtf8(texts.minimiseTip));
    closeLabel_ = new ClickableLabel(closeText(), strip);
    closeLabel_->setObjectName(QString::fromLatin1(texts.closeLabel));
    closeLabel_->setToolTip(QString::fromUtf8(texts.closeTip));
    for (QLabel* label :
         {title_, static_cast<QLabel*>(minimiseLabel_), static_cast<QLabel*>(closeLabel_)}) {
        label->setStyleSheet(QString::fromLatin1(TitleStrip::kLabelStyle));
    }
    for (ClickableLabel* label : {minimiseLabel_, closeLabel_}) {
        label->setAlignment(Qt::AlignCenter);
        label->setCursor(Qt::PointingHandCursor);
        label->setAttribute(Qt::WA_Hover);
        label->setFixedWidth(kStripHeight + 4);
    }
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(TitleStrip::kTextIndent, 0, 0, TitleStrip::kLineHeight);
    row->setSpacing(0);
    row->addWidget(title_, 1);
    row->addWidget(minimiseLabel_);
    row->addWidget(closeLabel_);
    // Without a system frame the window needs an edge of its own, drawn over whatever reaches its
    // rim and letting the mouse through.
    auto* edge = new QFrame(window_);
    edge->setFrameStyle(QFrame::Box | QFrame::Plain);
    edge_ = edge;
    edge_->setObjectName(QStringLiteral("edge"));
    edge_->setStyleSheet(QString::fromLatin1(TitleStrip::kEdgeStyle));
    edge_->setAttribute(Qt::WA_TransparentForMouseEvents);
    edge_->setGeometry(window_->rect());
    connect(minimiseLabel_, &ClickableLabel::clicked, this, &WindowChrome::onMinimiseClicked);
    connect(closeLabel_, &ClickableLabel::clicked, this, &WindowChrome::onCloseClicked);
    watch();
}

WindowChrome::WindowChrome(QWidget* window, QWidget* titleStrip)
    : QObject(window), window_(window), strip_(titleStrip) {
    watch();
}

void WindowChrome::watch() {
    window_->installEventFilter(this);
    strip_->setMouseTracking(true);
    strip_->installEventFilter(this);
}

bool WindowChrome::eventFilter(QObject* watched, QEvent* event) {
    if (watched == strip_) {
        return onStripEvent(event);
    }
    if (watched == window_ &&
        (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange)) {
        onWindowResized();
    } else if (watched == window_ && event->type() == QEvent::Show && edge_ != nullptr) {
        edge_->raise();  // above the controls made after it
    }
    return false;
}

bool WindowChrome::onStripEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->buttons() != Qt::LeftButton) {
                return false;  // another button, or the left one together with another
            }
            // A label that the strip carries passes its presses on to the strip; they are clicks
            // on that label, which a drag (or the window system's move) must not take.
            if (isOnOwnLabel(mouse->position().toPoint())) {
                return false;
            }
            if (windowSystemMovesWindows() && window_->windowHandle() != nullptr &&
                window_->windowHandle()->startSystemMove()) {
                return false;
            }
            dragging_ = true;
            grabX_ = toTwips(mouse->position().x());
            grabY_ = toTwips(mouse->position().y());
            return false;
        }
        case QEvent::MouseMove: {
            if (!dragging_) {
                return false;
            }
            auto* mouse = static_cast<QMouseEvent*>(event);
            const qint64 left = qint64(window_->x()) * kTwipsPerPixel;
            const qint64 top = qint64(window_->y()) * kTwipsPerPixel;
            // The mouse relative to where the strip is now by the window's own record, not where
            // the window system last saw it, so that a move still in flight cannot make the
            // window jitter.
            const QPoint stripOrigin =
                window_->geometry().topLeft() + strip_->mapTo(window_, QPoint(0, 0));
            const QPointF mouseOnStrip = mouse->globalPosition() - QPointF(stripOrigin);
            const int newLeft = int(left - grabX_ + toTwips(mouseOnStrip.x()));
            const int newTop = int(top - grabY_ + toTwips(mouseOnStrip.y()));
            window_->move(pixels(newLeft), pixels(newTop));
            return false;
        }
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            return false;
        default:
            return false;
    }
}

bool WindowChrome::isOnOwnLabel(const QPoint& stripPosition) const {
    const QWidget* hit = strip_->childAt(stripPosition);
    for (const QLabel* label :
         {static_cast<QLabel*>(minimiseLabel_), static_cast<QLabel*>(closeLabel_)}) {
        if (hit != nullptr && label != nullptr && (hit == label || label->isAncestorOf(hit))) {
            return true;
        }
    }
    return false;
}

void WindowChrome::onWindowResized() {
    // A strip of our own making spans the window, whatever lays out the rest of it.
    if (title_ != nullptr && strip_->width() != window_->width()) {
        strip_->setGeometry(0, 0, window_->width(), kStripHeight);
    }
    if (edge_ != nullptr) {
        edge_->setGeometry(window_->rect());
    }
    // A window shown normally has no caption: its own title label names it.
    if (!minimisedCaption_.isEmpty() && !window_->isMinimized() &&
        !window_->windowTitle().isEmpty()) {
        window_->setWindowTitle(QString());
    }
}

void WindowChrome::onMinimiseClicked() {
    window_->setWindowState((window_->windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
    window_->setWindowTitle(minimisedCaption_);
}

// The same close as the system's: the window's own close handling runs.
void WindowChrome::onCloseClicked() {
    window_->close();
}

}  // namespace widgets
