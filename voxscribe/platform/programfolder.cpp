#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString joinPath(const QString& folder, const QString& name) {
    return QDir::toNativeSeparators(QDir::cleanPath(folder) + QDir::separator() + name);
}

ProgramFolder::ProgramFolder(QString folder, QString writable)
    : folder_(std::move(folder)), writable_(std::move(writable)) {}

ProgramFolder ProgramFolder::ofApplication() {
    const QString folder = QCoreApplication::applicationDirPath();
    if (QFileInfo(folder).isWritable()) {
        return ProgramFolder(folder, folder);
    }
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    data = joinPath(data, QStringLiteral("voxscribe"));
    QDir().mkpath(data);
    return ProgramFolder(folder, data);
}

ProgramFolder ProgramFolder::at(const QString& folder) {
    return ProgramFolder(folder, folder);
}

QString ProgramFolder::file(const QString& name) const {
    return joinPath(folder_, name);
}

QString ProgramFolder::writableFile(const QString& name) const {
    return joinPath(writable_, name);
}

}  // namespace platform
