// The start-up check for the phonetic font file, which the program needs but never installs.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class ProgramFolder;

// The folder the warning names for the copy, ending with a separator: the user's own font folder
// ($XDG_DATA_HOME or ~/.local/share, then "/fonts/"), which fontconfig reads for that user.
QString systemFontFolder();
// The folders looked in for the font: every folder that fontconfig reads, system-wide and
// per-user, as its configuration names them.
QStringList fontFolders();
// Whether a file named exactly "Ksphonet.ttf" stands in fontFolders() or a folder below them.
bool phoneticFontInstalled();
// The warning shown when the font file is missing; the launcher's third line differs from the
// manual-input window's. Lines are separated by "\n".
QString missingFontMessage(const platform::ProgramFolder& folder, bool forLauncher);

}  // namespace platform
