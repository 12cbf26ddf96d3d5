#include "savefile.h"

#include <QSaveFile>

namespace output {
namespace {

// Why a write failed, in the user's words.
struct ErrorReason {
    QFileDevice::FileError error;
    const char* text;
};
constexpr ErrorReason kReasons[] = {
    {QFileDevice::OpenError, "无法创建或打开文件（文件夹不存在、名称无效或没有写入权限）"},
    {QFileDevice::PermissionsError, "没有写入权限"},
    {QFileDevice::WriteError, "写入失败（磁盘可能已满）"},
    {QFileDevice::ResourceError, "磁盘空间或系统资源不足"},
    {QFileDevice::RenameError, "无法用新文件替换原文件"},
};

QString reasonText(const QSaveFile& file) {
    for (const ErrorReason& reason : kReasons) {
        if (reason.error == file.error()) {
            return QString::fromUtf8(reason.text);
        }
    }
    return QStringLiteral("写入失败");
}

}  // namespace

bool saveBytes(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    // Without commit() the temporary file goes and the old file stays as it was.
    const bool ok =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!ok && error) {
        *error = QStringLiteral("%1\n%2").arg(reasonText(file), file.errorString());
    }
    return ok;
}

}  // namespace output
