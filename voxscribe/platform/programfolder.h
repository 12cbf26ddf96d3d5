// The program folder and where the program's own files go.
#pragma once

#include <QString>

namespace platform {

class ProgramFolder {
public:
    // folder: where the program file and its shipped files stand.
    // writable: where the program writes its own files (miss log, transfer files); the program
    // folder itself when that is writable, else a per-user data folder.
    ProgramFolder(QString folder, QString writable);

    // The folder of the running program, with the per-user data folder as the fallback.
    static ProgramFolder ofApplication();
    // A folder that is both read and written (tests, portable use).
    static ProgramFolder at(const QString& folder);

    QString path() const { return folder_; }
    QString writablePath() const { return writable_; }
    // folder + separator + name, in the platform's notation.
    QString file(const QString& name) const;
    QString writableFile(const QString& name) const;

private:
    QString folder_;
    QString writable_;
};

QString joinPath(const QString& folder, const QString& name);

}  // namespace platform
