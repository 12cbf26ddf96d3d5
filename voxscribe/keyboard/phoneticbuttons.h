// The phonetic buttons as widgets: their faces (the IPA glyph of the code drawn in the phonetic
// font, or the string as a caption), the button rows of a keyboard frame and the palette buttons.
#pragma once

#include <QPixmap>
#include <QString>
#include <string_view>

#include "phonetickeyboard.h"

class QButtonGroup;
class QPushButton;
class QWidget;

namespace keyboard {

// The picture of a code: its glyph in the phonetic font, at the size and weight of the caption
// faces; the three marks stand on a sample ("ei" after a stress mark, a grey "a" before the length
// mark). size is in device-independent pixels.
QPixmap phoneticFace(std::string_view code, QSize size, qreal pixelRatio = 1);

// Which window a keyboard frame belongs to: the rows stand a little lower in the manual-entry
// dialog, and only the manual-input window shows a hand pointer over the buttons.
enum class KeyboardWindow { ManualInput, ManualEntry };

// Creates the 52 buttons in frame, named "Command1_<index>", in a group owned by frame in which
// each button's id is its index.
QButtonGroup* createKeyboardButtons(QWidget* frame, KeyboardWindow window);
// One palette button, named "c1_<index>", 495 twips high (not yet placed).
inline constexpr int kPaletteButtonWidth = 615;
QPushButton* createPaletteButton(const PaletteButton& button, QWidget* parent,
                                 int widthTwips = kPaletteButtonWidth);

}  // namespace keyboard
