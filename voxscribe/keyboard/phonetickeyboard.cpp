#include "phonetickeyboard.h"

#include <QKeyEvent>
#include <algorithm>
#include <iterator>

namespace keyboard {
namespace {

// Which keyboard a key must come from to count.
enum class Pad { Either, Main, Keypad };

// Qt key ranges and the virtual-key codes they stand for, first to first.
struct KeyRange {
    int firstQtKey;
    int lastQtKey;
    Pad pad;
    int firstKeyCode;
};

constexpr KeyRange kKeyRanges[] = {
    {Qt::Key_F1, Qt::Key_F12, Pad::Either, 112},
    {Qt::Key_0, Qt::Key_9, Pad::Keypad, 96},
    {Qt::Key_A, Qt::Key_Z, Pad::Main, 65},
    {Qt::Key_Slash, Qt::Key_Slash, Pad::Keypad, 111},
    {Qt::Key_Asterisk, Qt::Key_Asterisk, Pad::Keypad, 106},
    {Qt::Key_Escape, Qt::Key_Escape, Pad::Either, kKeyEscape},
    {Qt::Key_Backspace, Qt::Key_Backspace, Pad::Either, kKeyBackspace},
};

// The digit row by the Qt key, for a key press that comes without its position. Shift on the
// digit row: Qt names the shifted symbol (read here as on a US layout), the key is still the
// digit. The symbols over 0 to 9.
constexpr Qt::Key kShiftedDigits[] = {
    Qt::Key_ParenRight, Qt::Key_Exclam,    Qt::Key_At,          Qt::Key_NumberSign,
    Qt::Key_Dollar,     Qt::Key_Percent,   Qt::Key_AsciiCircum, Qt::Key_Ampersand,
    Qt::Key_Asterisk,   Qt::Key_ParenLeft,
};
constexpr int kKeyCode0 = 48;

// The digit row by position: XKB keycodes (evdev code + 8) of the keys 1 to 9 and 0.
constexpr quint32 kFirstDigitRowScanCode = 10;
constexpr int kDigitRowKeyCodes[] = {49, 50, 51, 52, 53, 54, 55, 56, 57, 48};

int keyCodeIn(std::span<const KeyRange> ranges, int qtKey, bool keypad) {
    for (const KeyRange& range : ranges) {
        if (qtKey < range.firstQtKey || qtKey > range.lastQtKey) {
            continue;
        }
        if ((range.pad == Pad::Main && keypad) || (range.pad == Pad::Keypad && !keypad)) {
            continue;
        }
        return range.firstKeyCode + (qtKey - range.firstQtKey);
    }
    return 0;
}

int digitRowKeyCode(int qtKey, bool keypad, quint32 nativeScanCode) {
    if (keypad) {
        return 0;
    }
    if (nativeScanCode != 0) {
        const quint32 position = nativeScanCode - kFirstDigitRowScanCode;
        return position < std::size(kDigitRowKeyCodes) ? kDigitRowKeyCodes[position] : 0;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return kKeyCode0 + (qtKey - Qt::Key_0);
    }
    const auto* shifted = std::find(std::begin(kShiftedDigits), std::end(kShiftedDigits), qtKey);
    return shifted != std::end(kShiftedDigits)
               ? kKeyCode0 + int(shifted - std::begin(kShiftedDigits))
               : 0;
}

}  // namespace

const KeyboardButton* keyboardButton(int index) {
    for (const KeyboardButton& button : kKeyboardButtons) {
        if (button.index == index) {
            return &button;
        }
    }
    return nullptr;
}

QString insertedText(int index) {
    const KeyboardButton* button = keyboardButton(index);
    if (button == nullptr) {
        return {};
    }
    return QString::fromLatin1(button->inserts.data(), qsizetype(button->inserts.size()));
}

QString tooltipText(const KeyboardButton& button) {
    return QString::fromUtf8(button.tooltip.data(), qsizetype(button.tooltip.size()));
}

bool inLetterBlock(const KeyboardButton& button) {
    return button.row >= kFirstLetterRow;
}

int buttonForKey(int keyCode) {
    for (const MappedKey& key : kKeyMap) {
        if (key.keyCode == keyCode) {
            return key.buttonIndex;
        }
    }
    return -1;
}

char paletteCode(int index) {
    for (const PaletteButton& button : kPaletteButtons) {
        if (button.index == index) {
            return button.code;
        }
    }
    return '\0';
}

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (const int digit = digitRowKeyCode(qtKey, keypad, nativeScanCode); digit != 0) {
        return digit;
    }
    return keyCodeIn(kKeyRanges, qtKey, keypad);
}

int virtualKeyCode(const QKeyEvent& event) {
    return virtualKeyCode(event.key(), event.modifiers(), event.nativeScanCode());
}

}  // namespace keyboard
