// Writes a rich-text document as RTF that word processors read back with its text, font names,
// sizes and colours.
#pragma once

#include <QByteArray>

class QTextDocument;

namespace output {

QByteArray toRtf(const QTextDocument& document);

}  // namespace output
