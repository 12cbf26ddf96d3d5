#include <gtest/gtest.h>
#include <QKeyEvent>
#include <set>
#include <string>

#include "notation.h"
#include "phonetickeyboard.h"
#include "qtprinters.h"

namespace {

using sonabet::notation::Kind;

std::set<std::string> keyboardCodesOfKind(bool rare) {
    std::set<std::string> codes;
    for (const auto& code : sonabet::notation::codes()) {
        if (code.keyboard.empty() || code.kind == Kind::DictionaryOnly) {
            continue;
        }
        if ((code.kind == Kind::Rare) == rare) {
            codes.insert(code.keyboard);
        }
    }
    return codes;
}

TEST(PhoneticKeyboard, ButtonsUseTheIndexesAndCodesOfTheNotation) {
    std::set<int> indexes;
    std::multiset<std::string> inserted;
    for (const auto& button : keyboard::kKeyboardButtons) {
        indexes.insert(button.index);
        inserted.insert(std::string(button.inserts));
        EXPECT_TRUE(button.row >= 1 && button.row <= 5) << button.index;
    }
    EXPECT_EQ(indexes.size(), 52u);
    for (int unused : {7, 8, 9, 29, 32, 34, 35, 36, 37, 38, 39, 40, 42}) {
        EXPECT_EQ(indexes.count(unused), 0u) << unused;
        EXPECT_EQ(keyboard::keyboardButton(unused), nullptr);
        EXPECT_TRUE(keyboard::insertedText(unused).isEmpty());
    }
    EXPECT_EQ(*indexes.begin(), 0);
    EXPECT_EQ(*indexes.rbegin(), 64);

    // Every button inserts one keyboard code of the notation, and every such code has a button.
    const std::set<std::string> codes = keyboardCodesOfKind(false);
    EXPECT_EQ(std::set<std::string>(inserted.begin(), inserted.end()), codes);
    EXPECT_EQ(inserted.size(), codes.size());
}

TEST(PhoneticKeyboard, TooltipsAreTheNotationNamesOfTheMarksAndTheSequence) {
    int withTooltip = 0;
    for (const auto& button : keyboard::kKeyboardButtons) {
        if (button.tooltip.empty()) {
            continue;
        }
        ++withTooltip;
        bool found = false;
        for (const auto& code : sonabet::notation::codes()) {
            if (code.keyboard == button.inserts) {
                EXPECT_EQ(code.name, button.tooltip);
                EXPECT_TRUE(code.kind == Kind::Mark || code.kind == Kind::Sequence);
                found = true;
            }
        }
        EXPECT_TRUE(found) << button.inserts;
    }
    EXPECT_EQ(withTooltip, 4);
    EXPECT_EQ(keyboard::tooltipText(*keyboard::keyboardButton(61)), QStringLiteral("为录入更方便"));
}

TEST(PhoneticKeyboard, CaptionsAreOrdinaryLatinLettersAndEveryOtherCodeIsAPicture) {
    for (const auto& button : keyboard::kKeyboardButtons) {
        bool latin = false;
        bool other = false;
        for (char c : button.inserts) {
            latin = latin || (c >= 'a' && c <= 'z');
            other = other || !((c >= 'a' && c <= 'z') || c == ':');
        }
        const bool caption = latin && !other;
        EXPECT_EQ(button.face == keyboard::Face::Caption, caption) << button.inserts;
    }
}

TEST(PhoneticKeyboard, EveryButtonStandsOnceInTheRowOfItsTable) {
    std::multiset<int> placed;
    int rowNumber = 0;
    for (const auto& row : keyboard::kKeyboardRows) {
        ++rowNumber;
        for (int index : row.indexes) {
            if (index == keyboard::kGap) {
                continue;
            }
            placed.insert(index);
            ASSERT_NE(keyboard::keyboardButton(index), nullptr) << index;
            EXPECT_EQ(keyboard::keyboardButton(index)->row, rowNumber) << index;
        }
    }
    EXPECT_EQ(placed.size(), 52u);
    EXPECT_EQ(std::set<int>(placed.begin(), placed.end()).size(), 52u);

    int letterBlock = 0;
    for (const auto& button : keyboard::kKeyboardButtons) {
        letterBlock += keyboard::inLetterBlock(button) ? 1 : 0;
    }
    EXPECT_EQ(letterBlock, 19);
}

TEST(PhoneticKeyboard, PalettesOfferExactlyTheRareCodes) {
    std::set<std::string> codes;
    std::set<int> indexes;
    for (const auto& button : keyboard::kPaletteButtons) {
        codes.insert(std::string(1, button.code));
        indexes.insert(button.index);
        EXPECT_EQ(keyboard::paletteCode(button.index), button.code);
    }
    EXPECT_EQ(codes, keyboardCodesOfKind(true));
    EXPECT_EQ(indexes.size(), 14u);
    EXPECT_EQ(keyboard::paletteCode(1), '\0');

    // Both palette layouts place each of the fourteen once.
    std::set<int> panel;
    for (const auto& place : keyboard::kPanelPlaces) {
        panel.insert(place.index);
    }
    std::set<int> window(std::begin(keyboard::kPaletteRow1), std::end(keyboard::kPaletteRow1));
    window.insert(std::begin(keyboard::kPaletteRow2), std::end(keyboard::kPaletteRow2));
    EXPECT_EQ(panel, indexes);
    EXPECT_EQ(window, indexes);
}

TEST(PhoneticKeyboard, KeyRowsMapOntoTheButtonRowsOfTheirHints) {
    std::set<int> keyCodes;
    for (const auto& key : keyboard::kKeyMap) {
        keyCodes.insert(key.keyCode);
        ASSERT_NE(keyboard::keyboardButton(key.buttonIndex), nullptr) << key.key;
        EXPECT_EQ(keyboard::buttonForKey(key.keyCode), key.buttonIndex);
    }
    EXPECT_EQ(keyCodes.size(), 50u);

    const auto rowWithoutGaps = [](int row) {
        std::vector<int> indexes;
        for (int index : keyboard::kKeyboardRows[row].indexes) {
            if (index != keyboard::kGap) {
                indexes.push_back(index);
            }
        }
        return indexes;
    };
    // F1-F12 onto row 1, digits 1..9 and 0 onto row 2, keypad 1..9, / and * onto row 3.
    const std::vector<int> row1 = rowWithoutGaps(0);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(keyboard::buttonForKey(112 + i), row1[i]);
    }
    const std::vector<int> row2 = rowWithoutGaps(1);
    const int digits[] = {49, 50, 51, 52, 53, 54, 55, 56, 57, 48};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(keyboard::buttonForKey(digits[i]), row2[i]);
    }
    const std::vector<int> row3 = rowWithoutGaps(2);
    const int keypad[] = {97, 98, 99, 100, 101, 102, 103, 104, 105, 111, 106};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(keyboard::buttonForKey(keypad[i]), row3[i]);
    }
    // A letter key inserts its own letter; tr and dr have no key; A, C, E ... insert nothing.
    for (const auto& key : keyboard::kKeyMap) {
        if (key.keyCode >= 65 && key.keyCode <= 90) {
            EXPECT_EQ(keyboard::insertedText(key.buttonIndex),
                      QString(QChar(key.keyCode)).toLower());
        }
        EXPECT_NE(key.buttonIndex, 21);
        EXPECT_NE(key.buttonIndex, 23);
    }
    for (char unmapped : std::string("ACEIOQUXY")) {
        EXPECT_EQ(keyboard::buttonForKey(unmapped), -1) << unmapped;
    }
    EXPECT_EQ(keyboard::buttonForKey(96), -1);  // keypad 0
}

TEST(PhoneticKeyboard, QtKeysBecomeVirtualKeyCodes) {
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    } cases[] = {
        {Qt::Key_F1, none, 112},
        {Qt::Key_F12, Qt::ShiftModifier, 123},
        {Qt::Key_1, none, 49},
        {Qt::Key_0, none, 48},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49},      // Shift+1
        {Qt::Key_Asterisk, Qt::ShiftModifier, 56},    // Shift+8
        {Qt::Key_ParenRight, Qt::ShiftModifier, 48},  // Shift+0
        {Qt::Key_P, Qt::ControlModifier | Qt::AltModifier, 80},
        {Qt::Key_Z, none, 90},
        {Qt::Key_1, pad, 97},
        {Qt::Key_9, pad, 105},
        {Qt::Key_0, pad, 96},
        {Qt::Key_Slash, pad, 111},
        {Qt::Key_Asterisk, pad, 106},
        {Qt::Key_Escape, none, 27},
        {Qt::Key_Backspace, Qt::ShiftModifier, 8},
        // Keypad keys with Num Lock off, and keys the map does not know.
        {Qt::Key_End, pad, 0},
        {Qt::Key_Home, pad, 0},
        {Qt::Key_Slash, none, 0},
        {Qt::Key_Period, pad, 0},
        {Qt::Key_Plus, pad, 0},
        {Qt::Key_Minus, pad, 0},
        {Qt::Key_Return, none, 0},
        {Qt::Key_Space, none, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keyboard::virtualKeyCode(c.key, c.modifiers), c.expected) << std::hex << c.key;
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(keyboard::virtualKeyCode(event), c.expected);
    }

    // Key presses that come with their position (XKB keycode: evdev code + 8) go by the key,
    // whatever the layout makes of it: German and French layouts here.
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        int expected;
    } placed[] = {
        {Qt::Key_ParenLeft, Qt::ShiftModifier, 17, 56},  // German Shift+8
        {Qt::Key_Slash, Qt::ShiftModifier, 16, 55},      // German Shift+7
        {Qt::Key_section, Qt::ShiftModifier, 12, 51},    // German Shift+3
        {Qt::Key_Equal, Qt::ShiftModifier, 19, 48},      // German Shift+0
        {Qt::Key_Eacute, none, 11, 50},                  // French 2
        {Qt::Key_Exclam, Qt::ShiftModifier, 10, 49},     // US Shift+1
        {Qt::Key_ParenRight, none, 20, 0},               // French key right of 0
        {Qt::Key_Z, none, 29, 90},                       // German Z: letters go by their letter
        {Qt::Key_8, pad, 80, 104},                       // keypad 8
        {Qt::Key_Up, pad, 80, 0},                        // keypad 8 with Num Lock off
        {Qt::Key_F5, none, 71, 116},
    };
    for (const auto& c : placed) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.scanCode, 0, 0);
        EXPECT_EQ(keyboard::virtualKeyCode(event), c.expected) << std::hex << c.key;
    }
}

}  // namespace
