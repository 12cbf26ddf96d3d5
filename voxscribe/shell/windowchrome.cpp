#include "windowchrome.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <limits>

namespace shell {
namespace {

// Wayland does not let a program place its own windows; the compositor moves them instead.
bool windowSystemMovesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

int toTwips(double pixels) {
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double twips = std::nearbyint(pixels * kTwipsPerPixel);
    // Only a nonsensical coordinate gets near these; the conversion must still be defined.
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    return static_cast<int>(twips < low ? low : (twips > high ? high : twips));
}

WindowChrome::WindowChrome(QWidget* window, QWidget* titleStrip, QLabel* minimiseLabel,
                           QLabel* closeLabel, const QString& minimisedCaption)
    : QObject(window),
      window_(window),
      strip_(titleStrip),
      minimiseLabel_(minimiseLabel),
      closeLabel_(closeLabel),
      minimisedCaption_(minimisedCaption) {
    // A window that names itself in its own title label draws its whole title area; the launcher
    // keeps the system's title bar, which shows its caption.
    if (!minimisedCaption_.isEmpty()) {
        window_->setWindowFlag(Qt::FramelessWindowHint, true);
    }
    window_->installEventFilter(this);
    strip_->setMouseTracking(true);
    strip_->installEventFilter(this);
    for (QLabel* label : {minimiseLabel_, closeLabel_}) {
        if (label != nullptr) {
            label->setCursor(Qt::PointingHandCursor);
            label->installEventFilter(this);
        }
    }
}

bool WindowChrome::eventFilter(QObject* watched, QEvent* event) {
    if (watched == strip_) {
        return onStripEvent(event);
    }
    if (watched == window_ &&
        (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange)) {
        onWindowResized();
    } else if (watched == minimiseLabel_ || watched == closeLabel_) {
        // A label still sends events while it is destroyed, when it is a label no more.
        if (auto* label = qobject_cast<QLabel*>(watched)) {
            onLabelEvent(label, event);
        }
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
            newLeft_ = int(left - grabX_ + toTwips(mouseOnStrip.x()));
            newTop_ = int(top - grabY_ + toTwips(mouseOnStrip.y()));
            window_->move(qRound(double(newLeft_) / kTwipsPerPixel),
                          qRound(double(newTop_) / kTwipsPerPixel));
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
    for (const QLabel* label : {minimiseLabel_, closeLabel_}) {
        if (hit != nullptr && label != nullptr && (hit == label || label->isAncestorOf(hit))) {
            return true;
        }
    }
    return false;
}

// A label click is a left press and a left release over the same label, as with a button.
void WindowChrome::onLabelEvent(QLabel* label, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            pressedLabel_ = label;
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = pressedLabel_ == label && mouse->button() == Qt::LeftButton &&
                           label->rect().contains(mouse->position().toPoint());
        pressedLabel_ = nullptr;
        if (click && label == minimiseLabel_) {
            onMinimiseClicked();
        } else if (click && label == closeLabel_) {
            onCloseClicked();
        }
    }
}

void WindowChrome::onWindowResized() {
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

}  // namespace shell
