// Writes a rich-text document as RTF that word processors read back with its text, font names,
// sizes and colours.
#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QString>
#include <QStringView>

class QTextDocument;

namespace output {

QByteArray toRtf(const QTextDocument& document);

// The RTF of a document that holds plain text only, all of it in one face and size, written as
// the text comes, with no document in memory: the same bytes toRtf() gives for a document box
// with that default face and size after the text was inserted into it in the same colours.
class LinesRtfWriter {
public:
    LinesRtfWriter(const QString& family, qreal pointSize);
    // Text as it would go into the box; CR LF, CR and LF each end a paragraph.
    void append(QStringView text, QRgb colour = qRgb(0, 0, 0));
    // The whole file; the writer is empty afterwards.
    QByteArray finish();
    qsizetype size() const { return body_.size(); }
    void reserve(qsizetype bytes) { body_.reserve(bytes); }

private:
    QString family_;
    int halfPoints_;
    // The colour table is known only at the end: the body is kept apart from it until then.
    QList<QRgb> colours_;
    int colour_ = 0;
    QByteArray body_;
};

}  // namespace output
