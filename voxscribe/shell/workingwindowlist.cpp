#include "workingwindowlist.h"

#include <QDialog>
#include <memory>

#include "form1.h"
#include "frm1.h"
#include "frm3.h"
#include "frm4.h"
#include "frm5.h"
#include "recoverycopies.h"
#include "services.h"
#include "soundoutput.h"
#include "speech.h"
#include "suggestion.h"

namespace shell {

WorkingWindowList::WorkingWindowList(platform::Services& services, core::LookupClient& lookup,
                                     QWidget* owner, output::RecoveryCopies& recovery)
    : owner_(owner), recovery_(recovery) {
    auto speech = std::make_shared<core::Speech>(std::make_shared<platform::AudioSinkOutput>());
    const WindowFactory makers[] = {
        [&services, speech](QWidget* owner) -> QWidget* {
            auto* window = new manual::Form1(services, owner);
            window->setSpeech(speech);
            return window;
        },
        // The modeless window stands beside the launcher as a window of its own, with its own
        // task-bar entry, rather than being kept above it; the launcher still deletes it at the
        // end.
        [&services, &lookup, speech](QWidget*) -> QWidget* {
            auto* window = new smart::Frm3(services, lookup, nullptr);
            window->setSpeech(speech);
            smart::attachManualEntry(*window, services, std::make_shared<core::EspeakSuggestion>(),
                                     speech);
            return window;
        },
        [&services, &lookup](QWidget* owner) -> QWidget* {
            return new batch::Frm4(services, lookup, owner);
        },
        [&services, &lookup, speech](QWidget*) -> QWidget* {
            auto* window =
                new text::Frm5(services, lookup, std::make_shared<core::EspeakSuggestion>());
            window->setSpeech(speech);
            return window;
        },
    };
    for (const widgets::WorkingWindowFacts& facts : widgets::workingWindows()) {
        setFactory(facts.window, makers[static_cast<std::size_t>(facts.window)]);
    }
}

WorkingWindowList::~WorkingWindowList() {
    // The program is ending, not the user closing a window: the copies of unsaved documents stay
    // for the next run.
    recovery_.release();
    for (Slot& working : slots_) {
        delete working.window;
    }
}

void WorkingWindowList::setFactory(widgets::WorkingWindow kind, WindowFactory factory) {
    slot(kind).make = std::move(factory);
}

QWidget* WorkingWindowList::window(widgets::WorkingWindow kind) const {
    return slots_[static_cast<std::size_t>(kind)].window;
}

QWidget* WorkingWindowList::ensure(widgets::WorkingWindow kind) {
    Slot& working = slot(kind);
    if (working.window != nullptr || !working.make) {
        return working.window;
    }
    QWidget* widget = working.make(owner_);
    if (widget == nullptr) {
        return nullptr;
    }
    if (!widget->isWindow()) {
        widget->setWindowFlag(Qt::Window);
    }
    // Nothing of a working window survives its closing; the next opening starts afresh.
    widget->setAttribute(Qt::WA_DeleteOnClose);
    QRect frame(QPoint(0, 0), widget->size());
    frame.moveCenter(owner_->frameGeometry().center());
    widget->move(frame.topLeft());
    working.window = widget;
    recovery_.watch(kind, widget);
    return widget;
}

void WorkingWindowList::present(widgets::WorkingWindow kind) {
    QWidget* widget = window(kind);
    if (widget == nullptr) {
        return;
    }
    if (widgets::factsOf(kind).modal) {
        runModal(widget);
        return;
    }
    if (widget->isMinimized()) {
        widget->showNormal();
    }
    widget->show();
    widget->raise();
    widget->activateWindow();
}

// The modal working windows are dialogs, whose own event loop waits until they close.
void WorkingWindowList::runModal(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
    } else {
        window->show();
    }
}

}  // namespace shell
