#include "savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace core {
namespace {

// Why a write failed, in the user's words, for the failures the file system cannot explain.
struct ErrorReason {
    QFileDevice::FileError error;
    const char* text;
};
constexpr ErrorReason kReasons[] = {
    {QFileDevice::OpenError, "无法创建或打开文件（名称无效或没有写入权限）"},
    {QFileDevice::PermissionsError, "没有写入权限"},
    {QFileDevice::WriteError, "写入失败（磁盘可能已满）"},
    {QFileDevice::ResourceError, "磁盘已满或系统资源不足"},
    {QFileDevice::RenameError, "无法用新文件替换原文件"},
};

bool onReadOnlyDisk(const QString& folder) {
    const QStorageInfo storage(folder);
    return storage.isValid() && storage.isReadOnly();
}

// Looks at the target and its folder first: a missing folder, a read-only file or folder is
// what the user has to change, whatever code the failed call gave.
QString reasonText(const QString& path, QFileDevice::FileError error) {
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir()) {
        return QStringLiteral("文件夹不存在");
    }
    if (target.isDir()) {
        return QStringLiteral("已有同名的文件夹");
    }
    if (target.exists() && !target.isWritable()) {
        return onReadOnlyDisk(folder) ? QStringLiteral("文件所在的磁盘是只读的")
                                      : QStringLiteral("文件是只读的，不允许改写");
    }
    if (!target.exists() && !folderInfo.isWritable()) {
        return onReadOnlyDisk(folder) ? QStringLiteral("文件夹所在的磁盘是只读的")
                                      : QStringLiteral("文件夹是只读的，不允许在其中创建文件");
    }
    for (const ErrorReason& reason : kReasons) {
        if (reason.error == error) {
            return QString::fromUtf8(reason.text);
        }
    }
    return QStringLiteral("写入失败");
}

void describe(QString* error, const QString& path, const QFileDevice& file) {
    if (error) {
        *error = QStringLiteral("%1\n%2").arg(reasonText(path, file.error()), file.errorString());
    }
}

// Writes the whole content, then the buffer; QIODevice keeps up to 16 KiB that only the flush
// hands to the system, and that is where a full disk or quota shows.
bool writeAll(QFileDevice& file, const QByteArray& bytes) {
    return file.write(bytes) == bytes.size() && file.flush();
}

// For an existing file in a folder where no new file may be created: overwrite it in place.
// The old content is read first and written back should the new one not fit, so a failure
// still leaves the file as it was wherever the system allows it.
bool writeInPlace(const QString& path, const QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        describe(error, path, file);
        return false;
    }
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        describe(error, path, file);
        return false;
    }
    if (file.seek(0) && writeAll(file, bytes) && file.resize(bytes.size())) {
        file.close();
        if (file.error() == QFileDevice::NoError) {
            return true;
        }
    }
    describe(error, path, file);
    if (file.isOpen() && file.seek(0) && writeAll(file, old)) {
        file.resize(old.size());
    }
    return false;
}

}  // namespace

bool saveBytes(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        // commit() does not notice a flush that fails inside it and would then put the cut-off
        // temporary file in place of the old one, so the flush is checked here, before it.
        if (writeAll(file, bytes) && file.commit()) {
            return true;
        }
        describe(error, path, file);
        // The temporary file goes; the old file stays as it was.
        file.cancelWriting();
        return false;
    }
    // No temporary file beside the target: a folder where the user may change the file but not
    // create one. The content is complete in memory, so write it straight into the file.
    const QFileInfo target(path);
    if (target.isFile() && target.isWritable() && !QFileInfo(target.absolutePath()).isWritable()) {
        return writeInPlace(path, bytes, error);
    }
    describe(error, path, file);
    return false;
}

}  // namespace core
