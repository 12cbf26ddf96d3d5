// The batch run from the command line: "voxscribe --batch WORDLIST [--format lines|ipa|rtf]
// [--output FILE]" annotates a word list without a window, for scripts.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {
struct Services;
}

namespace commandline {

// Whether the arguments (program name first) ask for a command-line run or its help rather
// than the windows.
bool isCommandLineRun(const QStringList& arguments);

// Runs the command line when the arguments ask for it and returns the exit status; nullopt when
// the program should open its windows. It needs a QCoreApplication only: no display, no widget.
// Output: the batch lines, the words with Unicode IPA or the RTF document, into the named file or
// onto standard output; messages and the summary go to
// standard error.
std::optional<int> runCommandLine(const QStringList& arguments, platform::Services& services);

QString commandLineHelp();

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // unreadable word list, no dictionary, output or log not written
constexpr int kExitUsage = 2;   // wrong arguments

}  // namespace commandline
