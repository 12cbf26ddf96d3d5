// The face that draws the phonetic codes as IPA: the one name every window, document and file
// uses for it.
#pragma once

#include <QString>

namespace output {

inline QString phoneticFont() {
    return QStringLiteral("Kingsoft Phonetic Plain");
}

}  // namespace output
