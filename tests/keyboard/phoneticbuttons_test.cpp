#include <gtest/gtest.h>
#include <QFontDatabase>
#include <QImage>
#include <QLineEdit>

#include "phoneticbuttons.h"
#include "qtprinters.h"

namespace {

struct Ink {
    int black = 0;
    int grey = 0;
};

Ink inkOf(std::string_view code) {
    const QImage image = keyboard::phoneticFace(code, QSize(31, 23)).toImage();
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() < 128) {
                continue;
            }
            // Anti-aliased edges of black glyphs stay dark; the sample letter is mid-grey.
            (colour.lightness() < 80 ? ink.black : ink.grey) += 1;
        }
    }
    return ink;
}

TEST(PhoneticFaces, EveryPictureShowsItsGlyphAndTheLengthMarkStandsAfterAGreyA) {
    QFontDatabase::addApplicationFont(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf"));
    for (const auto& button : keyboard::kKeyboardButtons) {
        if (button.face == keyboard::Face::Picture) {
            EXPECT_GT(inkOf(button.inserts).black, 0) << button.inserts;
        }
    }
    for (const auto& button : keyboard::kPaletteButtons) {
        EXPECT_GT(inkOf(std::string_view(&button.code, 1)).black, 0) << button.code;
    }
    EXPECT_GT(inkOf(":").grey, 10);
    EXPECT_EQ(inkOf("F").grey, 0);
    // The stress marks stand on "ei", so they carry more ink than the mark alone would.
    EXPECT_GT(inkOf("5").black, inkOf("F").black / 2);
    EXPECT_NE(keyboard::phoneticFace("5", QSize(31, 23)).toImage(),
              keyboard::phoneticFace("7", QSize(31, 23)).toImage());
}

// The buttons write into the entry boxes with QLineEdit::insert, which a box locked against typing
// must still take.
TEST(PhoneticEntry, InsertionReplacesTheSelectionOfALockedBox) {
    QLineEdit box;
    box.setReadOnly(true);
    box.insert("tF");
    EXPECT_EQ(box.text(), "tF");
    EXPECT_EQ(box.cursorPosition(), 2);
    box.setCursorPosition(1);
    box.insert("ju:");
    EXPECT_EQ(box.text(), "tju:F");
    EXPECT_EQ(box.cursorPosition(), 4);
    box.setSelection(4, -3);  // selected backwards
    box.insert("E");
    EXPECT_EQ(box.text(), "tEF");
    EXPECT_EQ(box.cursorPosition(), 2);
    EXPECT_FALSE(box.hasSelectedText());
}

}  // namespace
