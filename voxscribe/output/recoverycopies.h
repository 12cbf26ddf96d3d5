// The recovery policy of the open working windows: a copy of every document with unsaved changes
// once a minute and before the program ends, the question at exit about documents it could keep
// no copy of, and the offer at start of the copies an earlier run left.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "workingwindows.h"

class QTimer;
class QWidget;

namespace platform {
struct Services;
}

namespace output {

class RecoveryStore;

class RecoveryCopies : public QObject {
    Q_OBJECT
public:
    // folder: where the copies are kept; the user's state folder when empty.
    RecoveryCopies(platform::Services& services, const QString& folder, QObject* parent = nullptr);
    ~RecoveryCopies() override;

    static QString recoveryQuestion() { return QStringLiteral("发现上次未保存的文档，是否恢复？"); }

    const RecoveryStore& store() const { return *store_; }

    // Looks after the window's document from now until the window goes: a saved document needs
    // no copy, and a window the user closed has answered for its document. A widget that is no
    // working window has nothing to keep.
    void watch(widgets::WorkingWindow kind, QWidget* window);
    // Stops looking after the open windows without discarding their copies: the program ends,
    // and the copies stay for the next run.
    void release();

    // Keeps a copy of every open document that changed since its last save. Returns the windows
    // whose copy could not be written, each with why.
    struct Unkept {
        widgets::WorkingWindow window;
        QString error;
    };
    std::vector<Unkept> keepUnsaved();
    static QString unkeptQuestion(const std::vector<Unkept>& unkept);
    // At exit: keeps the copies, and asks about the documents it could not, as a word processor
    // does (save now, end anyway, or stay). True when the program may end.
    bool readyToEnd(QWidget* parent);

    // Makes the working window of a kind, or finds it open; nullptr when it cannot be made.
    using WindowOpener = std::function<QWidget*(widgets::WorkingWindow kind)>;
    // Offers the copies an earlier run left and restores those the user wants into windows that
    // open gives. Returns the restored windows in the order to show them: modal ones last, since
    // a modal window waits until it closes.
    std::vector<widgets::WorkingWindow> offer(QWidget* parent, const WindowOpener& open);

private:
    void forget(const QString& name);

    platform::Services& services_;
    std::unique_ptr<RecoveryStore> store_;
    QTimer* timer_;
    std::array<QPointer<QWidget>, 4> windows_;
    // Per window: the document revision and the state last kept.
    QHash<QString, std::pair<int, QByteArray>> kept_;
};

}  // namespace output
