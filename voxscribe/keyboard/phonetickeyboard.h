// The phonetic keyboard: the 52 on-screen buttons with the codes they insert, the 50 keys of the
// physical keyboard that stand for them, and the 14 rare-symbol palette buttons. Every window that
// offers phonetic codes, and the help page that prints the key map, reads these tables.
#pragma once

#include <QString>
#include <Qt>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

class QKeyEvent;

namespace keyboard {

// A button shows its string as a caption when it is made of ordinary Latin letters, else a
// picture of the IPA glyph.
enum class Face { Picture, Caption };

struct KeyboardButton {
    int index;                 // within the button array; 52 of 0..64 are used
    std::string_view inserts;  // phonetic codes
    Face face;
    std::string_view tooltip;  // UTF-8; empty for none
    int row;                   // 1 (top) to 5
};

inline constexpr KeyboardButton kKeyboardButtons[] = {
    {0, "dV", Face::Picture, "", 1},
    {1, "tF", Face::Picture, "", 1},
    {2, "F", Face::Picture, "", 1},
    {3, "N", Face::Picture, "", 1},
    {4, "W", Face::Picture, "", 1},
    {5, "T", Face::Picture, "", 1},
    {6, "V", Face::Picture, "", 1},
    {10, "k", Face::Caption, "", 4},
    {11, "f", Face::Caption, "", 4},
    {12, "h", Face::Caption, "", 5},
    {13, "w", Face::Caption, "", 5},
    {14, "p", Face::Caption, "", 4},
    {15, "b", Face::Caption, "", 5},
    {16, "d", Face::Caption, "", 5},
    {17, "t", Face::Caption, "", 4},
    {18, "g", Face::Caption, "", 5},
    {19, "v", Face::Caption, "", 5},
    {20, "m", Face::Caption, "", 4},
    {21, "dr", Face::Caption, "", 5},
    {22, "dz", Face::Caption, "", 1},
    {23, "tr", Face::Caption, "", 4},
    {24, "ts", Face::Caption, "", 1},
    {25, "n", Face::Caption, "", 4},
    {26, "r", Face::Caption, "", 5},
    {27, "j", Face::Caption, "", 5},
    {28, "A", Face::Picture, "", 3},
    {30, "C", Face::Picture, "", 2},
    {31, "E", Face::Picture, "", 2},
    {33, "i", Face::Caption, "", 2},
    {41, "Q", Face::Picture, "", 2},
    {43, "E:", Face::Picture, "", 3},
    {44, "i:", Face::Caption, "", 3},
    {45, "u:", Face::Caption, "", 3},
    {46, "e", Face::Caption, "", 2},
    {47, "u", Face::Caption, "", 2},
    {48, "s", Face::Caption, "", 4},
    {49, "z", Face::Caption, "", 5},
    {50, "l", Face::Caption, "", 4},
    {51, "a:", Face::Caption, "", 3},
    {52, "C:", Face::Picture, "", 3},
    {53, "ai", Face::Caption, "", 2},
    {54, "iE", Face::Picture, "", 3},
    {55, "ei", Face::Caption, "", 2},
    {56, "uE", Face::Picture, "", 3},
    {57, "au", Face::Caption, "", 2},
    {58, "ZE", Face::Picture, "", 3},
    {59, "Eu", Face::Picture, "", 2},
    {60, "Ci", Face::Picture, "", 3},
    {61, "ju:", Face::Caption, "为录入更方便", 3},
    {62, ":", Face::Picture, "长音符号", 1},
    {63, "5", Face::Picture, "重音符号", 1},
    {64, "7", Face::Picture, "次重音符号", 1},
};

// The button rows from left to right; kGap marks a wider space between two buttons.
inline constexpr int kGap = -1;
inline constexpr int kRow1[] = {2, 4, 1, 24, 6, 5, 0, 22, 3, 63, 64, 62};
inline constexpr int kRow2[] = {41, 30, 31, 46, 47, 33, kGap, 59, 53, 55, 57};
inline constexpr int kRow3[] = {51, 52, 43, 28, 45, 44, kGap, 54, 58, 56, 60, 61};
inline constexpr int kRow4[] = {14, 17, 10, 11, 48, 23, 20, 25, 50};
inline constexpr int kRow5[] = {15, 16, 18, 19, 49, 21, 12, 26, 27, 13};

// Virtual-key codes of the keys the manual-input window handles itself.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEscape = 27;

// A key of the physical keyboard: its virtual-key code and its name as the help page prints it.
struct PhysicalKey {
    int keyCode;
    std::string_view name;
};

// The keys under a button row, one for each button from left to right (gaps skipped); a key code
// of 0 under a button that no key stands for.
inline constexpr PhysicalKey kRow1Keys[] = {
    {112, "F1"}, {113, "F2"}, {114, "F3"}, {115, "F4"},  {116, "F5"},  {117, "F6"},
    {118, "F7"}, {119, "F8"}, {120, "F9"}, {121, "F10"}, {122, "F11"}, {123, "F12"},
};
inline constexpr PhysicalKey kRow2Keys[] = {
    {49, "1"}, {50, "2"}, {51, "3"}, {52, "4"}, {53, "5"},
    {54, "6"}, {55, "7"}, {56, "8"}, {57, "9"}, {48, "0"},
};
inline constexpr PhysicalKey kRow3Keys[] = {
    {97, "小键盘 1"},  {98, "小键盘 2"},  {99, "小键盘 3"},  {100, "小键盘 4"},
    {101, "小键盘 5"}, {102, "小键盘 6"}, {103, "小键盘 7"}, {104, "小键盘 8"},
    {105, "小键盘 9"}, {111, "小键盘 /"}, {106, "小键盘 *"},
};
inline constexpr PhysicalKey kRow4Keys[] = {
    {80, "P"}, {84, "T"}, {75, "K"}, {70, "F"}, {83, "S"}, {0, ""}, {77, "M"}, {78, "N"}, {76, "L"},
};
inline constexpr PhysicalKey kRow5Keys[] = {
    {66, "B"}, {68, "D"}, {71, "G"}, {86, "V"}, {90, "Z"},
    {0, ""},   {72, "H"}, {82, "R"}, {74, "J"}, {87, "W"},
};

struct KeyboardRow {
    std::span<const int> indexes;
    int topInManualInput;   // twips in the button frame of the manual-input window
    int topInManualEntry;   // twips in the button frame of the manual-entry dialog
    std::string_view hint;  // the physical keys under the row; empty for the letter rows
    std::span<const PhysicalKey> keys;
};

inline constexpr KeyboardRow kKeyboardRows[] = {
    {kRow1, 270, 270, " F1  F2  F3  F4   F5  F6   F7  F8  F9  F10  F11 F12", kRow1Keys},
    {kRow2, 1035, 1035, " 1   2    3   4   5   6         7   8   9   0", kRow2Keys},
    {kRow3, 1800, 1935, " 1   2   3   4   5   6          7   8   9   /   *(小键盘)", kRow3Keys},
    {kRow4, 2520, 2745, "", kRow4Keys},
    {kRow5, 2925, 3150, "", kRow5Keys},
};

// Rows 4 and 5 are the consonant letter block, which the window can hide as a whole.
inline constexpr int kFirstLetterRow = 4;

struct MappedKey {
    int keyCode;  // virtual-key code
    std::string_view key;
    int buttonIndex;
};

// The order the key map lists the rows in: the main keyboard first, the keypad last.
inline constexpr int kKeyMapRowOrder[] = {0, 1, 3, 4, 2};

// The key map pairs each key with the button above it, row by row, so the rows alone say which
// key stands for which button.
template <class Visit>
constexpr void forEachMappedKey(Visit visit) {
    for (int row : kKeyMapRowOrder) {
        std::size_t position = 0;
        for (int index : kKeyboardRows[row].indexes) {
            if (index == kGap) {
                continue;
            }
            const PhysicalKey& key = kKeyboardRows[row].keys[position++];
            if (key.keyCode != 0) {
                visit(MappedKey{key.keyCode, key.name, index});
            }
        }
    }
}

constexpr std::size_t mappedKeyCount() {
    std::size_t count = 0;
    forEachMappedKey([&count](const MappedKey&) { ++count; });
    return count;
}

constexpr std::array<MappedKey, mappedKeyCount()> mappedKeys() {
    std::array<MappedKey, mappedKeyCount()> keys{};
    std::size_t count = 0;
    forEachMappedKey([&](const MappedKey& key) { keys[count++] = key; });
    return keys;
}

inline constexpr std::array<MappedKey, mappedKeyCount()> kKeyMap = mappedKeys();

struct PaletteButton {
    int index;
    char code;  // one rare-symbol code
};

inline constexpr PaletteButton kPaletteButtons[] = {
    {0, 'Z'},  {7, ']'},  {8, 'G'},  {9, 'M'},  {29, 'B'}, {32, '\\'}, {34, 'H'},
    {35, 'I'}, {36, 'J'}, {37, 'K'}, {38, 'L'}, {39, 'O'}, {40, 'P'},  {42, 'X'},
};

// Where the palette buttons stand in the manual-input window's panel (twips in the panel).
struct PalettePlace {
    int index;
    int left;
    int top;
};

inline constexpr PalettePlace kPanelPlaces[] = {
    {8, 90, 180},   {35, 675, 180},  {37, 90, 675},   {39, 720, 675},  {29, 90, 1200},
    {0, 720, 1200}, {40, 90, 1680},  {36, 720, 1680}, {7, 90, 2160},   {38, 720, 2160},
    {42, 90, 2640}, {32, 720, 2640}, {9, 90, 3120},   {34, 720, 3120},
};

// The palette window's two rows, left to right.
inline constexpr int kPaletteRow1[] = {8, 35, 39, 36, 38, 32, 29, 34};
inline constexpr int kPaletteRow2[] = {37, 9, 40, 7, 42, 0};

// The button of an index; nullptr for an index that no button uses.
const KeyboardButton* keyboardButton(int index);
// The inserted string of a button index; empty for an unused index.
QString insertedText(int index);
QString tooltipText(const KeyboardButton& button);
bool inLetterBlock(const KeyboardButton& button);

// The button a virtual-key code stands for; -1 for a key that is not mapped.
int buttonForKey(int keyCode);

// The code of a palette index; '\0' for an unused index.
char paletteCode(int index);

// The virtual-key code of a key press as far as the keyboard map needs it: F1-F12, the digit
// row, the letters, the keypad digits (only with the keypad modifier, so that keys of a keypad
// with Num Lock off insert nothing), keypad "/" and "*", Esc and Backspace. Modifiers do not
// change the code. 0 for every other key.
// The digit row is a row of positions, whatever a layout prints on its keys or makes of them
// with Shift: it is recognised by the key's native scan code (an XKB keycode, as Qt gives it on
// X11 and Wayland). Without one (0) the Qt key decides, with Shift read as on a US layout.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode = 0);
int virtualKeyCode(const QKeyEvent& event);

}  // namespace keyboard
