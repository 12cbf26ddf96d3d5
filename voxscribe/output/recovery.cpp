#include "recovery.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>

#include "savefile.h"

namespace output {
namespace {

const QString kSuffix = QStringLiteral(".html");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kStateSuffix = QStringLiteral(".state");

QString runName() {
    return QStringLiteral("%1-%2").arg(QString::number(QCoreApplication::applicationPid()),
                                       QString::number(QDateTime::currentMSecsSinceEpoch()));
}

}  // namespace

QString RecoveryStore::defaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // XDG base directories must be absolute; a relative value is ignored, as freedesktop.org says.
    if (state.isEmpty() || QDir::isRelativePath(state)) {
        state = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return QDir(state).filePath(QStringLiteral("voxscribe/recovery"));
}

RecoveryStore::RecoveryStore(QString folder)
    : folder_(std::move(folder)),
      run_(QDir(folder_).filePath(runName())),
      lock_(run_ + kLockSuffix) {
    // Another run's lock is stale only once its process has gone, however long it has lived.
    lock_.setStaleLockTime(0);
    if (QDir().mkpath(folder_)) {
        lock_.tryLock(0);
    }
}

RecoveryStore::~RecoveryStore() {
    // The copies stay for the next run; only a folder that holds none goes.
    QDir().rmdir(run_);
}

QString RecoveryStore::copyPath(const QString& window) const {
    return QDir(run_).filePath(window + kSuffix);
}

QString RecoveryStore::statePath(const QString& window) const {
    return QDir(run_).filePath(window + kStateSuffix);
}

bool RecoveryStore::keep(const QString& window, const QTextDocument& document, QString* error,
                         const QByteArray& state) {
    if (!QDir().mkpath(run_)) {
        if (error != nullptr) {
            *error = QStringLiteral("无法创建文件夹“%1”。").arg(run_);
        }
        return false;
    }
    // The state first: a document is never offered with the state of another.
    if (state.isEmpty()) {
        QFile::remove(statePath(window));
    } else if (!core::saveBytes(statePath(window), state, error)) {
        return false;
    }
    return core::saveBytes(copyPath(window), document.toHtml().toUtf8(), error);
}

void RecoveryStore::discard(const QString& window) {
    QFile::remove(copyPath(window));
    QFile::remove(statePath(window));
}

QList<RecoveryStore::Copy> RecoveryStore::leftBehind() {
    QList<Copy> copies;
    const QDir root(folder_);
    const QFileInfoList runs =
        root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Time);
    for (const QFileInfo& run : runs) {
        if (run.absoluteFilePath() == QFileInfo(run_).absoluteFilePath() ||
            heldFolders_.contains(run.absoluteFilePath())) {
            continue;
        }
        auto lock = std::make_unique<QLockFile>(run.absoluteFilePath() + kLockSuffix);
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) {
            continue;  // a run that is still going
        }
        heldLocks_.push_back(std::move(lock));
        heldFolders_ << run.absoluteFilePath();
        const QDir folder(run.absoluteFilePath());
        const QFileInfoList files = folder.entryInfoList({QLatin1Char('*') + kSuffix}, QDir::Files);
        for (const QFileInfo& file : files) {
            QFile state(folder.filePath(file.completeBaseName() + kStateSuffix));
            copies.push_back({file.completeBaseName(), file.absoluteFilePath(),
                              state.open(QIODevice::ReadOnly) ? state.readAll() : QByteArray()});
        }
    }
    // A run killed before it kept a copy left a lock file and no folder.
    const QFileInfoList locks = root.entryInfoList({QLatin1Char('*') + kLockSuffix}, QDir::Files);
    for (const QFileInfo& file : locks) {
        const QString run = file.absoluteFilePath().chopped(kLockSuffix.size());
        if (run == QFileInfo(run_).absoluteFilePath() || QFileInfo::exists(run)) {
            continue;
        }
        QLockFile lock(file.absoluteFilePath());
        lock.setStaleLockTime(0);
        if (lock.tryLock(0)) {
            lock.unlock();
        }
    }
    std::stable_sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        return QFileInfo(a.path).lastModified() < QFileInfo(b.path).lastModified();
    });
    return copies;
}

void RecoveryStore::forgetLeftBehind() {
    for (const QString& run : std::as_const(heldFolders_)) {
        QDir(run).removeRecursively();
    }
    heldFolders_.clear();
    heldLocks_.clear();  // unlocking removes the lock files
}

bool RecoveryStore::read(const QString& path, QTextDocument& document) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QTextCursor end(&document);
    end.movePosition(QTextCursor::End);
    if (!document.isEmpty()) {
        end.insertBlock();
    }
    end.insertFragment(
        QTextDocumentFragment::fromHtml(QString::fromUtf8(file.readAll()), &document));
    return true;
}

}  // namespace output
