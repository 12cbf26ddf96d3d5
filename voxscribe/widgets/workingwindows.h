// The working windows and everything the program says once about each of them: its name, its
// title, how the launcher offers it, its title strip and how its document is saved.
#pragma once

#include <QString>
#include <span>

namespace widgets {

enum class WorkingWindow { ManualInput, SmartAnnotation, Batch, Text };

struct WorkingWindowFacts {
    WorkingWindow window;
    const char* objectName;  // "Form1", "Frm3", "Frm4", "Frm5"; it also names the recovery copy
    // The title: on the window's strip, the launcher's label and the minimised window's caption.
    const char* title;
    // The launcher: its label, the description shown while the mouse is over it, and whether the
    // launcher waits while the window is open.
    const char* launcherLabel;
    const char* description;
    bool modal;
    // The title strip: the object names of the title and close labels, the tooltips.
    const char* titleLabel;
    const char* minimiseTip;
    const char* closeLabel;
    const char* closeTip;
    // Saving: the dialog's filter ("description|pattern|"), and whether a completed save starts
    // the one-minute autosave.
    const char* saveFilter;
    bool autosave;
};

// The windows in the launcher's order.
std::span<const WorkingWindowFacts> workingWindows();
const WorkingWindowFacts& factsOf(WorkingWindow window);

// What the file dialogs offer for word lists and passages.
inline QString textFileFilter() {
    return QStringLiteral("文本文件(*.txt)|*.txt");
}

inline QString titleOf(WorkingWindow window) {
    return QString::fromUtf8(factsOf(window).title);
}
inline QString objectNameOf(WorkingWindow window) {
    return QString::fromLatin1(factsOf(window).objectName);
}

}  // namespace widgets
