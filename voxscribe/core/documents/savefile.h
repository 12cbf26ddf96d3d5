// The one way every document reaches a file: the save command, autosave, the transfer file and
// the command line all write through here.
#pragma once

#include <QByteArray>
#include <QString>

namespace core {

// Writes bytes to path, replacing the file only once the new content is complete. On failure
// the file that was there stays as it was and *error says why, in Chinese. An existing file in
// a folder where no file may be created is overwritten in place, its old content written back
// should the new one fail.
bool saveBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace core
