// The behaviour shared by the borderless windows: dragging by the title strip, the minimise and
// close labels, and the caption that only a minimised window carries.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QtGlobal>

class QLabel;
class QWidget;

namespace shell {

// Positions of the drag are held in twips; 15 twips make one pixel at 96 DPI.
inline constexpr int kTwipsPerPixel = 15;

class WindowChrome : public QObject {
    Q_OBJECT
public:
    // Watches titleStrip, the labels and the window through event filters; the window keeps
    // ownership of its widgets. minimisedCaption is the caption the window carries while
    // minimised; a window with one is made frameless and has an empty caption while shown
    // normally. With an empty one (the launcher) the frame and the caption are left alone.
    WindowChrome(QWidget* window, QWidget* titleStrip, QLabel* minimiseLabel, QLabel* closeLabel,
                 const QString& minimisedCaption);

    bool dragging() const { return dragging_; }
    // Where the drag took hold of the strip, and the position the last move computed (twips).
    QPoint grabPoint() const { return {grabX_, grabY_}; }
    QPoint newPosition() const { return {newLeft_, newTop_}; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool onStripEvent(QEvent* event);
    bool isOnOwnLabel(const QPoint& stripPosition) const;
    void onLabelEvent(QLabel* label, QEvent* event);
    void onWindowResized();
    void onMinimiseClicked();
    void onCloseClicked();

    QWidget* window_;
    QWidget* strip_;
    QLabel* minimiseLabel_;
    QLabel* closeLabel_;
    QString minimisedCaption_;
    QLabel* pressedLabel_ = nullptr;

    bool dragging_ = false;
    int grabX_ = 0;
    int grabY_ = 0;
    int newLeft_ = 0;
    int newTop_ = 0;
};

// A pixel coordinate in twips, rounded to the nearest whole number with ties to even. Positions
// far out on a desktop of several monitors are as valid as any other.
int toTwips(double pixels);

}  // namespace shell
