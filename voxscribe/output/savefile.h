// The one way every document reaches a file: the save command, autosave, the transfer file and
// the command line all write through here.
#pragma once

#include <QByteArray>
#include <QString>

namespace output {

// Writes bytes to path, replacing the file only once the new content is complete. On failure
// the file that was there stays as it was and *error says why, in Chinese.
bool saveBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace output
