// The palette window on its own: its buttons write into the box it serves.
#include <gtest/gtest.h>
#include <QDir>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "frm21.h"
#include "layoutcheck.h"
#include "phonetickeyboard.h"
#include "qtprinters.h"

namespace {

TEST(Frm21, EveryButtonWritesItsCodeAndThePaletteStaysOpen) {
    QLineEdit box;
    box.show();
    keyboard::Frm21 palette(&box);
    palette.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
    EXPECT_EQ(palette.windowTitle(), "不常用音标");
    EXPECT_TRUE(palette.isModal());
    EXPECT_EQ(palette.size(), QSize(4890 / 15, 1200 / 15));

    QString expected;
    for (const auto& data : keyboard::kPaletteButtons) {
        auto* button = palette.findChild<QPushButton*>(QStringLiteral("c1_%1").arg(data.index));
        ASSERT_NE(button, nullptr) << data.index;
        EXPECT_TRUE(palette.rect().contains(button->geometry()));
        QTest::mouseClick(button, Qt::LeftButton);
        expected += QLatin1Char(data.code);
    }
    EXPECT_EQ(box.text(), expected);
    EXPECT_TRUE(palette.isVisible());
    // Only its close button closes it.
    QTest::keyClick(&palette, Qt::Key_Escape);
    EXPECT_TRUE(palette.isVisible());
    EXPECT_EQ(palette.findChild<QPushButton*>("c1_34")->width(), 38);
}

TEST(Frm21, AClickReplacesTheSelectionOfTheBox) {
    QLineEdit box;
    box.setText("5kwCliti");
    box.setSelection(3, 1);
    keyboard::Frm21 palette(&box);
    palette.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
    QTest::mouseClick(palette.findChild<QPushButton*>("c1_29"), Qt::LeftButton);
    EXPECT_EQ(box.text(), "5kwBliti");
    EXPECT_EQ(box.cursorPosition(), 4);
}

TEST(Frm21, OutlivingItsBoxDoesNoHarm) {
    auto box = std::make_unique<QLineEdit>();
    keyboard::Frm21 palette(box.get());
    box.reset();
    palette.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
    QTest::mouseClick(palette.findChild<QPushButton*>("c1_0"), Qt::LeftButton);
    EXPECT_TRUE(palette.isVisible());
}

// A reviewer's picture of the palette, in which no button covers another; VOXSCRIBE_SNAPSHOT_DIR
// names the folder it goes to.
TEST(Frm21, RendersASnapshot) {
    QFontDatabase::addApplicationFont(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf"));
    QLineEdit box;
    keyboard::Frm21 palette(&box);
    palette.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
    QTemporaryDir scratch;
    const QString path = layout_check::snapshotPath("Frm21.png", scratch.path());
    ASSERT_TRUE(palette.grab().save(path));
    EXPECT_EQ(layout_check::layoutProblems(palette), std::vector<std::string>{});
}

}  // namespace
