#include <gtest/gtest.h>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <optional>

#include "qtprinters.h"
#include "windowchrome.h"

namespace {

class CountingWindow : public QWidget {
public:
    int closeEvents = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeEvents;
        QWidget::closeEvent(event);
    }
};

// A working window with the strip, title and labels the chrome makes; without a minimised caption
// a launcher, whose own strip drags it.
struct ChromedWindow {
    explicit ChromedWindow(
        std::optional<widgets::WorkingWindow> titled = widgets::WorkingWindow::SmartAnnotation) {
        window.resize(520, 453);
        if (!titled) {
            strip = new QWidget(&window);
            strip->setGeometry(0, 0, 520, 30);
            chrome = new widgets::WindowChrome(&window, strip);
        } else {
            chrome = new widgets::WindowChrome(&window, *titled);
            strip = chrome->strip();
            minimise = chrome->minimiseLabel();
            close = chrome->closeLabel();
        }
        window.move(100, 100);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    CountingWindow window;
    QWidget* strip = nullptr;
    QLabel* minimise = nullptr;
    QLabel* close = nullptr;
    widgets::WindowChrome* chrome;
};

TEST(WindowChrome, AWindowThatNamesItselfIsFramelessWithItsNameAcrossTheTop) {
    ChromedWindow w;
    EXPECT_TRUE(w.window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w.chrome->titleLabel()->text(), QStringLiteral("智能标注"));
    EXPECT_EQ(w.strip->geometry(), QRect(0, 0, 520, widgets::WindowChrome::kStripHeight));
    // The strip follows the window's width, with the labels at its right end.
    w.window.resize(600, 453);
    EXPECT_EQ(w.strip->width(), 600);
    QApplication::sendPostedEvents();
    EXPECT_EQ(w.close->mapTo(&w.window, QPoint(w.close->width(), 0)).x(), 600);
}

TEST(WindowChrome, DragKeepsTheGrabPointUnderTheMouse) {
    ChromedWindow w;
    const QPoint grab(440, 12);  // near the labels at the right end of the strip
    QTest::mousePress(w.strip, Qt::LeftButton, {}, grab);

    // The mouse moves 60 right and 25 down from the grab point.
    QTest::mouseMove(w.strip, grab + QPoint(60, 25));
    EXPECT_EQ(w.window.pos(), QPoint(160, 125));
    QTest::mouseMove(w.strip, grab + QPoint(-200, -10));
    EXPECT_EQ(w.window.pos(), QPoint(-40, 115));

    QTest::mouseRelease(w.strip, Qt::LeftButton, {}, grab);
    QTest::mouseMove(w.strip, grab + QPoint(30, 30));
    EXPECT_EQ(w.window.pos(), QPoint(-40, 115));
}

TEST(WindowChrome, OnlyTheLeftButtonAloneStartsADragAndAnyReleaseEndsIt) {
    ChromedWindow w;
    QTest::mousePress(w.strip, Qt::RightButton, {}, QPoint(50, 10));
    QTest::mouseMove(w.strip, QPoint(80, 20));
    EXPECT_EQ(w.window.pos(), QPoint(100, 100));
    QTest::mouseRelease(w.strip, Qt::RightButton, {}, QPoint(80, 20));

    QTest::mousePress(w.strip, Qt::LeftButton, {}, QPoint(50, 10));
    QTest::mouseMove(w.strip, QPoint(60, 10));
    ASSERT_EQ(w.window.pos(), QPoint(110, 100));
    // A right press during the drag neither starts nor ends anything; its release ends the drag.
    QTest::mousePress(w.strip, Qt::RightButton, {}, QPoint(50, 10));
    QTest::mouseMove(w.strip, QPoint(60, 10));
    EXPECT_EQ(w.window.pos(), QPoint(120, 100));
    QTest::mouseRelease(w.strip, Qt::RightButton, {}, QPoint(50, 10));
    QTest::mouseMove(w.strip, QPoint(90, 30));
    EXPECT_EQ(w.window.pos(), QPoint(120, 100));
    QTest::mouseRelease(w.strip, Qt::LeftButton, {}, QPoint(90, 30));
}

TEST(WindowChrome, TwipsRoundHalfToEvenWhateverTheDistance) {
    EXPECT_EQ(widgets::toTwips(0.5), 8);    // 7.5
    EXPECT_EQ(widgets::toTwips(1.5), 22);   // 22.5
    EXPECT_EQ(widgets::toTwips(-0.5), -8);  // -7.5
    EXPECT_EQ(widgets::toTwips(3000), 45000);
    EXPECT_EQ(widgets::toTwips(-3000), -45000);
    // Design sizes back to pixels, to the nearest.
    EXPECT_EQ(widgets::pixels(7), 0);
    EXPECT_EQ(widgets::pixels(8), 1);
    EXPECT_EQ(widgets::pixels(-8), -1);
    EXPECT_EQ(widgets::pixels(9400), 627);
    EXPECT_EQ(widgets::pixels(6795), 453);
}

// Two or three monitors side by side put windows well beyond 2,184 pixels (32,767 twips).
TEST(WindowChrome, ADragFarOutOnAWideDesktopFollowsTheMouse) {
    ChromedWindow w;
    w.window.move(2100, 100);
    QTest::mousePress(w.strip, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(w.strip, QPoint(510, 10));
    EXPECT_EQ(w.window.x(), 2600);
    QTest::mouseMove(w.strip, QPoint(-90, 10));
    EXPECT_EQ(w.window.x(), 2500);
    QTest::mouseRelease(w.strip, Qt::LeftButton, {}, QPoint(-90, 10));

    w.window.move(-3000, 100);
    QTest::mousePress(w.strip, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(w.strip, QPoint(20, 10));
    EXPECT_EQ(w.window.x(), -2990);
    QTest::mouseRelease(w.strip, Qt::LeftButton, {}, QPoint(20, 10));
}

// The labels on the strip hand their presses on to it; a press there is a click, not a drag.
TEST(WindowChrome, APressOnALabelOfTheStripIsAClickNotADrag) {
    ChromedWindow w(widgets::WorkingWindow::Batch);
    for (QLabel* label : {w.minimise, w.close}) {
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(label, QPoint(60, 40));
        EXPECT_EQ(w.window.pos(), QPoint(100, 100));
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(60, 40));  // released elsewhere
    }
    QTest::mouseClick(w.minimise, Qt::LeftButton);
    EXPECT_TRUE(w.window.isMinimized());
    w.window.showNormal();
    QTest::mouseClick(w.close, Qt::LeftButton);
    EXPECT_EQ(w.window.closeEvents, 1);

    // The rest of the strip still drags.
    w.window.show();
    const QPoint before = w.window.pos();
    QTest::mousePress(w.strip, Qt::LeftButton, {}, QPoint(200, 10));
    QTest::mouseMove(w.strip, QPoint(230, 10));
    EXPECT_EQ(w.window.pos(), before + QPoint(30, 0));
    QTest::mouseRelease(w.strip, Qt::LeftButton, {}, QPoint(230, 10));
}

TEST(WindowChrome, MinimiseSetsTheCaptionAndRestoringClearsIt) {
    ChromedWindow w;
    EXPECT_EQ(w.window.windowTitle(), QString());
    QTest::mouseClick(w.minimise, Qt::LeftButton);
    EXPECT_TRUE(w.window.isMinimized());
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("智能标注"));
    w.window.resize(530, 453);  // a resize while minimised keeps the name
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("智能标注"));

    w.window.showNormal();
    EXPECT_FALSE(w.window.isMinimized());
    EXPECT_EQ(w.window.windowTitle(), QString());

    w.window.setWindowTitle(QStringLiteral("x"));
    w.window.resize(540, 453);
    EXPECT_EQ(w.window.windowTitle(), QString());
}

TEST(WindowChrome, WithoutAMinimisedCaptionTheWindowKeepsItsCaption) {
    ChromedWindow w{std::nullopt};
    w.window.setWindowTitle(QStringLiteral("Voxscribe V 3.0"));
    w.window.resize(600, 400);
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Voxscribe V 3.0"));
    // The system title bar shows that caption.
    EXPECT_FALSE(w.window.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST(WindowChrome, CloseLabelClosesAsTheSystemWouldAndOnlyOnALeftClick) {
    ChromedWindow w;
    QTest::mouseClick(w.close, Qt::RightButton);
    EXPECT_TRUE(w.window.isVisible());
    QTest::mouseClick(w.close, Qt::LeftButton);
    EXPECT_EQ(w.window.closeEvents, 1);
    EXPECT_FALSE(w.window.isVisible());
}

}  // namespace
