// The working windows the launcher opens: what makes each, the one open of each kind, and how it is
// shown. The launcher owns them; nothing of a window survives its closing.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "workingwindows.h"

namespace platform {
struct Services;
}
namespace core {
class LookupClient;
}
namespace output {
class RecoveryCopies;
}

namespace shell {

// Makes a working window with the launcher as its owner.
using WindowFactory = std::function<QWidget*(QWidget* owner)>;

class WorkingWindowList {
public:
    // The windows share the services, the lookups and one voice: what one window says, the next
    // cuts short. Each window made is handed to recovery to look after.
    WorkingWindowList(platform::Services& services, core::LookupClient& lookup, QWidget* owner,
                      output::RecoveryCopies& recovery);
    // The program is ending: the open windows go without their own close steps.
    ~WorkingWindowList();
    WorkingWindowList(const WorkingWindowList&) = delete;
    WorkingWindowList& operator=(const WorkingWindowList&) = delete;

    void setFactory(widgets::WorkingWindow kind, WindowFactory factory);
    // The window when it is open; nullptr when it is not.
    QWidget* window(widgets::WorkingWindow kind) const;
    // The window, made and centred on the owner when it is not open; nullptr when it cannot be
    // made.
    QWidget* ensure(widgets::WorkingWindow kind);
    // Shows the open window in front; a modal one returns once it closes.
    void present(widgets::WorkingWindow kind);

    // Shows a dialog modally; returns once it is closed. Any other window is only shown.
    static void runModal(QWidget* window);

private:
    struct Slot {
        WindowFactory make;
        QPointer<QWidget> window;
    };
    Slot& slot(widgets::WorkingWindow kind) { return slots_[static_cast<std::size_t>(kind)]; }

    QWidget* owner_;
    output::RecoveryCopies& recovery_;
    std::array<Slot, 4> slots_;
};

}  // namespace shell
