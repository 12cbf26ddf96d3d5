// The title area shared by the program's own windows: one title strip design (TitleStrip), the
// window's name on it, minimise and close labels, dragging by the strip, and the caption that
// only a minimised window carries.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include "clickablelabel.h"
#include "twips.h"
#include "workingwindows.h"

class QLabel;
class QWidget;

namespace widgets {

class TitleStrip;

// The close label's text.
inline QString closeText() {
    return QStringLiteral("×");
}

class WindowChrome : public QObject {
    Q_OBJECT
public:
    // Height of a working window's strip in pixels at 96 DPI.
    static constexpr int kStripHeight = 28;

    // A borderless working window: makes the strip "Image1" across the top of window (kept as
    // wide as the window) with the title and the two labels on it. The window is frameless and
    // has an empty caption while it is shown normally.
    WindowChrome(QWidget* window, widgets::WorkingWindow titled);
    // The launcher: the strip the window already has drags it; the system title bar and the
    // caption are left alone.
    WindowChrome(QWidget* window, QWidget* titleStrip);

    QWidget* strip() const { return strip_; }
    QLabel* titleLabel() const { return title_; }
    ClickableLabel* minimiseLabel() const { return minimiseLabel_; }
    ClickableLabel* closeLabel() const { return closeLabel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch();
    bool onStripEvent(QEvent* event);
    bool isOnOwnLabel(const QPoint& stripPosition) const;
    void onWindowResized();
    void onMinimiseClicked();
    void onCloseClicked();

    QWidget* window_;
    QWidget* strip_ = nullptr;
    QLabel* title_ = nullptr;
    QWidget* edge_ = nullptr;
    ClickableLabel* minimiseLabel_ = nullptr;
    ClickableLabel* closeLabel_ = nullptr;
    QString minimisedCaption_;

    // The drag: whether one is going, and where it took hold of the strip, in twips.
    bool dragging_ = false;
    int grabX_ = 0;
    int grabY_ = 0;
};

}  // namespace widgets
