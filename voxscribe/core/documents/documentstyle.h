// The faces and colours of a document: words in a Latin face in black, transcriptions in the
// phonetic face in blue, suggested transcriptions in grey.
#pragma once

#include <QRgb>
#include <QString>

namespace core {

// The face that draws the phonetic codes as IPA: the one name every window, document and file
// uses for it.
inline QString phoneticFont() {
    return QStringLiteral("Kingsoft Phonetic Plain");
}

// Faces that draw the Unicode IPA symbols, as a CSS font list: a reader's machine shows the
// first of them it has.
inline QString ipaFaces() {
    return QStringLiteral(
        "'DejaVu Sans', 'Noto Sans', 'Charis SIL', 'Doulos SIL', 'Gentium Plus', 'Segoe UI', "
        "'Lucida Sans Unicode', 'Arial Unicode MS', sans-serif");
}

// Colours at the interface are 0x00BBGGRR.
constexpr quint32 kBlack = 0;
constexpr quint32 kBlue = 0xFF0000;
constexpr quint32 kGrey = 0x808080;

constexpr QRgb rgbOf(quint32 bgr) {
    return qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

}  // namespace core
