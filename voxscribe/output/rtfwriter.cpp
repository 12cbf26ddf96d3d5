#include "rtfwriter.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

namespace output {
namespace {

// How a font is announced in the font table. Faces that draw ASCII codes as symbols must still
// say \fcharset0: with a symbol character set LibreOffice maps the codes to other characters.
struct FaceEntry {
    const char* family;
    const char* fontFamily;
    int charset;
};
constexpr FaceEntry kFaces[] = {
    {"Arial", "fswiss", 0},
    {"Courier", "fmodern", 0},
    {"Courier New", "fmodern", 0},
    {"Kingsoft Phonetic Plain", "fnil", 0},
    {"Times New Roman", "froman", 0},
    {"宋体", "fnil", 134},
    {"黑体", "fnil", 134},
    {"楷体", "fnil", 134},
    {"仿宋", "fnil", 134},
    {"微软雅黑", "fnil", 134},
};
constexpr int kGb2312Charset = 134;

FaceEntry faceOf(const QString& family) {
    for (const FaceEntry& face : kFaces) {
        if (family == QString::fromUtf8(face.family)) {
            return face;
        }
    }
    // An unknown name written in Chinese is taken for a Chinese face.
    for (QChar c : family) {
        if (c.unicode() >= 0x80) {
            return {nullptr, "fnil", kGb2312Charset};
        }
    }
    return {nullptr, "fnil", 0};
}

// Escapes text for an RTF text destination: the three special characters, tabs and line
// separators as control words, every non-ASCII UTF-16 unit as a signed \uN with "?" for readers
// that know no Unicode.
void appendText(QByteArray& out, QStringView text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else if (u >= 0x80 && u != QChar::ObjectReplacementCharacter) {
            out += "\\u";
            out += QByteArray::number(int(static_cast<qint16>(u)));
            out += '?';
        }
        // Other control characters and embedded objects have no text to write.
    }
}

struct RunFormat {
    int font;
    int halfPoints;
    int colour;
    bool operator==(const RunFormat&) const = default;
};

class Writer {
public:
    explicit Writer(const QTextDocument& document) : document_(document) {
        // Black and blue come first so that a document's ordinary colours have fixed numbers.
        colours_ << QColor(Qt::black).rgb() << QColor(Qt::blue).rgb();
        fonts_ << document.defaultFont().family();
    }

    QByteArray write() {
        QByteArray body;
        bool firstBlock = true;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            if (!firstBlock) {
                body += "\\par\n";
            }
            firstBlock = false;
            bool empty = true;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (!fragment.isValid()) {
                    continue;
                }
                switchTo(body, runFormat(fragment.charFormat()));
                appendText(body, fragment.text());
                empty = false;
            }
            if (empty) {
                // An empty line keeps its size.
                switchTo(body, runFormat(block.charFormat()));
            }
        }

        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n";
        out += header();
        out += "\\viewkind4\\pard\\plain ";
        out += body;
        out += "\\par\n}\n";
        return out;
    }

private:
    RunFormat runFormat(const QTextCharFormat& format) {
        const QFont font = format.font().resolve(document_.defaultFont());
        qreal points = font.pointSizeF();
        if (points <= 0) {
            points = document_.defaultFont().pointSizeF();
        }
        if (points <= 0) {
            points = 12;
        }
        QColor colour = Qt::black;
        if (format.hasProperty(QTextFormat::ForegroundBrush)) {
            const QBrush brush = format.foreground();
            if (brush.style() != Qt::NoBrush) {
                colour = brush.color();
            }
        }
        return {indexOf(fonts_, font.family()), qMax(1, qRound(points * 2)),
                indexOf(colours_, colour.rgb()) + 1};
    }

    template <typename T>
    static int indexOf(QList<T>& list, const T& value) {
        qsizetype i = list.indexOf(value);
        if (i < 0) {
            list << value;
            i = list.size() - 1;
        }
        return int(i);
    }

    void switchTo(QByteArray& out, const RunFormat& format) {
        if (current_ && *current_ == format) {
            return;
        }
        // The face goes to every script slot: LibreOffice and Word take East Asian characters
        // from the \dbch font, everything else from \loch and \hich.
        const QByteArray font = QByteArray::number(format.font);
        out += "\\dbch\\f" + font + "\\hich\\f" + font + "\\loch\\f" + font + "\\fs" +
               QByteArray::number(format.halfPoints) + "\\cf" + QByteArray::number(format.colour) +
               ' ';
        current_ = format;
    }

    QByteArray header() const {
        QByteArray out = "{\\fonttbl";
        for (qsizetype i = 0; i < fonts_.size(); ++i) {
            const FaceEntry face = faceOf(fonts_[i]);
            out += "{\\f" + QByteArray::number(i) + '\\' + face.fontFamily + "\\fcharset" +
                   QByteArray::number(face.charset) + ' ';
            appendText(out, fonts_[i]);
            out += ";}";
        }
        out += "}\n{\\colortbl ;";
        for (QRgb rgb : colours_) {
            out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                   QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) +
                   ';';
        }
        out += "}\n";
        return out;
    }

    const QTextDocument& document_;
    QList<QString> fonts_;
    QList<QRgb> colours_;
    std::optional<RunFormat> current_;
};

}  // namespace

QByteArray toRtf(const QTextDocument& document) {
    return Writer(document).write();
}

}  // namespace output
