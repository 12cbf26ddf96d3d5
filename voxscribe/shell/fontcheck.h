// The start-up check for the phonetic font file, which the program needs but never installs.
#pragma once

#include <QString>

namespace platform {
class ProgramFolder;
}

namespace shell {

// "$windir/FONTS/" when windir is set, else the user's font folder ($XDG_DATA_HOME or
// ~/.local/share, then "/fonts/"); always ends with a separator.
QString systemFontFolder();
// Whether "Ksphonet.ttf" stands in systemFontFolder().
bool phoneticFontInstalled();
// The warning shown when the font file is missing; the launcher's third line differs from the
// manual-input window's. Lines are separated by "\n".
QString missingFontMessage(const platform::ProgramFolder& folder, bool forLauncher);

}  // namespace shell
