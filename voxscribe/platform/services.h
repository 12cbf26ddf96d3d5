// What every window needs from the platform, handed down from main() (tests hand stand-ins).
#pragma once

#include "componentruntime.h"
#include "dialogs.h"
#include "programfolder.h"

namespace platform {

struct Services {
    ProgramFolder folder;
    ComponentRuntime& components;
    MessageBoxes& messages;
    FileDialogs& files;
    ShellOpener& shell;
};

}  // namespace platform
