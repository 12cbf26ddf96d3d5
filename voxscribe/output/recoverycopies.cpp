#include "recoverycopies.h"

#include <QStringList>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

#include "documentbox.h"
#include "recovery.h"
#include "services.h"
#include "workingwindowinterface.h"

namespace output {
namespace {

// Unsaved documents are kept once a minute: a crash loses at most that.
constexpr int kInterval = 60 * 1000;

}  // namespace

RecoveryCopies::RecoveryCopies(platform::Services& services, const QString& folder, QObject* parent)
    : QObject(parent),
      services_(services),
      store_(std::make_unique<RecoveryStore>(folder.isEmpty() ? RecoveryStore::defaultFolder()
                                                              : folder)),
      timer_(new QTimer(this)) {
    timer_->setInterval(kInterval);
    connect(timer_, &QTimer::timeout, this, [this] {
        for (const Unkept& failure : keepUnsaved()) {
            // Tried again a minute later, and asked about at exit.
            qWarning("voxscribe: %s", qUtf8Printable(failure.error));
        }
    });
    timer_->start();
}

RecoveryCopies::~RecoveryCopies() {
    release();
}

void RecoveryCopies::forget(const QString& name) {
    store_->discard(name);
    kept_.remove(name);
}

void RecoveryCopies::watch(widgets::WorkingWindow kind, QWidget* window) {
    windows_[static_cast<std::size_t>(kind)] = window;
    const QString name = widgets::objectNameOf(kind);
    if (WorkingWindowInterface* working = workingWindowOf(window)) {
        connect(working->documentBox()->document(), &QTextDocument::modificationChanged, this,
                [this, name](bool modified) {
                    if (!modified) {
                        forget(name);
                    }
                });
    }
    connect(window, &QObject::destroyed, this, [this, name] { forget(name); });
}

void RecoveryCopies::release() {
    for (const QPointer<QWidget>& window : windows_) {
        if (window != nullptr) {
            disconnect(window, nullptr, this, nullptr);
        }
    }
}

std::vector<RecoveryCopies::Unkept> RecoveryCopies::keepUnsaved() {
    std::vector<Unkept> unkept;
    for (const widgets::WorkingWindowFacts& facts : widgets::workingWindows()) {
        WorkingWindowInterface* window =
            workingWindowOf(windows_[static_cast<std::size_t>(facts.window)]);
        if (window == nullptr || !window->hasUnsavedChanges()) {
            continue;
        }
        const QTextDocument& kept = window->keptDocument();
        const QString name = widgets::objectNameOf(facts.window);
        std::pair<int, QByteArray> version{kept.revision(), window->keptState()};
        if (kept_.value(name, {-1, {}}) == version) {
            continue;  // the copy is up to date
        }
        QString error;
        if (store_->keep(name, kept, &error, version.second)) {
            kept_.insert(name, std::move(version));
        } else {
            unkept.push_back({facts.window, error});
        }
    }
    return unkept;
}

QString RecoveryCopies::unkeptQuestion(const std::vector<Unkept>& unkept) {
    QStringList lines;
    for (const Unkept& failure : unkept) {
        lines << QStringLiteral("“%1”：%2").arg(widgets::titleOf(failure.window), failure.error);
    }
    return QStringLiteral(
               "下面的文档没有保存，也无法留下恢复副本，退出后就会丢失：\n%1\n"
               "现在保存吗？")
        .arg(lines.join(u'\n'));
}

bool RecoveryCopies::readyToEnd(QWidget* parent) {
    const std::vector<Unkept> unkept = keepUnsaved();
    if (unkept.empty()) {
        return true;
    }
    switch (services_.messages.show(parent, unkeptQuestion(unkept), platform::Icon::Question,
                                    platform::Buttons::SaveDiscardCancel, platform::Answer::Save)) {
        case platform::Answer::Save:
            for (const Unkept& failure : unkept) {
                WorkingWindowInterface* window =
                    workingWindowOf(windows_[static_cast<std::size_t>(failure.window)]);
                // A cancelled or failed save keeps the program running with the document.
                if (window == nullptr || !window->save()) {
                    return false;
                }
            }
            return true;
        case platform::Answer::Discard:
            return true;
        default:
            return false;
    }
}

std::vector<widgets::WorkingWindow> RecoveryCopies::offer(QWidget* parent,
                                                          const WindowOpener& open) {
    const QList<RecoveryStore::Copy> copies = store_->leftBehind();
    if (copies.isEmpty()) {
        store_->forgetLeftBehind();  // the folders of runs that kept nothing
        return {};
    }
    if (services_.messages.show(parent, recoveryQuestion(), platform::Icon::Question,
                                platform::Buttons::YesNo,
                                platform::Answer::Yes) != platform::Answer::Yes) {
        store_->forgetLeftBehind();
        return {};
    }
    std::vector<widgets::WorkingWindow> restored;
    for (const widgets::WorkingWindowFacts& facts : widgets::workingWindows()) {
        for (const RecoveryStore::Copy& copy : copies) {
            if (copy.window != widgets::objectNameOf(facts.window)) {
                continue;
            }
            WorkingWindowInterface* window = workingWindowOf(open(facts.window));
            if (window == nullptr) {
                continue;
            }
            // The settings first, so that the document is made once, as it was.
            if (!copy.state.isEmpty()) {
                window->restoreState(copy.state);
            }
            if (!RecoveryStore::read(copy.path, window->keptDocument())) {
                continue;
            }
            // Restored, not saved: closing the window asks about it like any other change.
            window->documentBox()->document()->setModified(true);
            if (std::find(restored.begin(), restored.end(), facts.window) == restored.end()) {
                restored.push_back(facts.window);
            }
        }
    }
    // The copies move into this run before the old ones go, so that a crash now loses nothing.
    keepUnsaved();
    store_->forgetLeftBehind();
    std::stable_partition(restored.begin(), restored.end(), [](widgets::WorkingWindow kind) {
        return !widgets::factsOf(kind).modal;
    });
    return restored;
}

}  // namespace output
