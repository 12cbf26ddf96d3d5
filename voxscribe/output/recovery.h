// Copies of documents with unsaved changes, kept in the user's state folder
// ($XDG_STATE_HOME/voxscribe/recovery), so that a crash, a killed program or the launcher's exit
// loses at most the last minute of typing. Each run keeps its copies in a folder of its own,
// held by a lock file while the run lives; a folder whose lock nobody holds any more was left by
// an earlier run, and its copies wait there to be offered.
#pragma once

#include <QByteArray>
#include <QList>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

class QTextDocument;

namespace output {

class RecoveryStore {
public:
    explicit RecoveryStore(QString folder = defaultFolder());
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    static QString defaultFolder();
    QString folder() const { return folder_; }

    // Writes the copy of a window's document, and of what else the window needs to show it as it
    // was (state: empty when nothing), through the same safe path as every saved document; false
    // with *error (in Chinese) when it could not be written.
    bool keep(const QString& window, const QTextDocument& document, QString* error = nullptr,
              const QByteArray& state = {});
    // Removes the copy of a window's document: it was saved, or the user chose not to.
    void discard(const QString& window);
    // Where this run keeps the copy of a window's document.
    QString copyPath(const QString& window) const;
    QString statePath(const QString& window) const;

    struct Copy {
        QString window;  // the object name of the window the document belongs to
        QString path;
        QByteArray state;  // what keep() was given with the document
    };
    // The copies earlier runs left, oldest first. Their runs' locks stay held until
    // forgetLeftBehind(), so that no other run offers them meanwhile. The lock files of runs that
    // ended before they kept anything go now.
    QList<Copy> leftBehind();
    // Deletes what leftBehind() found.
    void forgetLeftBehind();

    // Appends a kept copy to a document, after a line break when it is not empty.
    static bool read(const QString& path, QTextDocument& document);

private:
    QString folder_;
    QString run_;  // this run's folder
    QLockFile lock_;
    std::vector<std::unique_ptr<QLockFile>> heldLocks_;
    QStringList heldFolders_;
};

}  // namespace output
