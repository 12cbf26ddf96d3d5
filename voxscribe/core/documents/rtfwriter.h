// Writes a rich-text document as RTF that word processors read back with its text, font names,
// sizes and colours.
#pragma once

#include <QByteArray>
#include <QRgb>
#include <QString>
#include <QStringView>
#include <memory>

class QTextDocument;

namespace core {

QByteArray toRtf(const QTextDocument& document);

// RTF written as its runs come, with no document in memory: the same bytes toRtf() gives for a
// document box with that default face and size after the same runs were inserted into it.
class RtfStream {
public:
    RtfStream(const QString& defaultFamily, qreal pointSize);
    ~RtfStream();
    RtfStream(const RtfStream&) = delete;
    RtfStream& operator=(const RtfStream&) = delete;

    // Text as it would go into the box, in a face and colour at the stream's size; CR LF, CR and
    // LF each end a paragraph.
    void append(QStringView text, const QString& family, QRgb colour = qRgb(0, 0, 0));
    // The whole file; the stream is empty afterwards.
    QByteArray finish();

    class Body;

private:
    QString defaultFamily_;
    int halfPoints_;
    std::unique_ptr<Body> body_;
};

}  // namespace core
