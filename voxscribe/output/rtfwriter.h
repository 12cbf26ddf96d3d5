// Writes a rich-text document as RTF that word processors read back with its text, font names,
// sizes and colours.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

class QTextDocument;

namespace output {

QByteArray toRtf(const QTextDocument& document);

// The RTF of a document that holds plain text only, all of it in one face and size and in black,
// written as the text comes, with no document in memory: the same bytes toRtf() gives for a
// document box with that default face and size after the text was inserted into it.
class LinesRtfWriter {
public:
    LinesRtfWriter(const QString& family, qreal pointSize);
    // Text as it would go into the box; CR LF, CR and LF each end a paragraph.
    void append(QStringView text);
    // The whole file; the writer is empty afterwards.
    QByteArray finish();
    qsizetype size() const { return out_.size(); }
    void reserve(qsizetype bytes) { out_.reserve(bytes); }

private:
    QByteArray out_;
};

}  // namespace output
