#include "rtfwriter.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>
#include <utility>

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
// The characters besides CR and LF that a rich-text document takes for paragraph breaks.
constexpr char16_t kBeginningOfFrame = 0xFDD0;
constexpr char16_t kEndOfFrame = 0xFDD1;

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
    qsizetype plainFrom = 0;
    // Runs of plain ASCII, the bulk of a document, are copied in one go.
    const auto copyPlain = [&](qsizetype to) {
        if (to > plainFrom) {
            const qsizetype at = out.size();
            out.resize(at + (to - plainFrom));
            char* dest = out.data() + at;
            for (qsizetype i = plainFrom; i < to; ++i) {
                *dest++ = char(text[i].unicode());
            }
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u >= 0x20 && u < 0x7F && u != '\\' && u != '{' && u != '}') {
            continue;
        }
        copyPlain(i);
        plainFrom = i + 1;
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u >= 0x80 && u != QChar::ObjectReplacementCharacter) {
            out += "\\u";
            out += QByteArray::number(int(static_cast<qint16>(u)));
            out += '?';
        }
        // Other control characters and embedded objects have no text to write.
    }
    copyPlain(text.size());
}

struct RunFormat {
    int font;
    int halfPoints;
    int colour;
    bool operator==(const RunFormat&) const = default;
};

// A format and the control words that switch to it.
struct Run {
    RunFormat format;
    QByteArray control;
};

// The control words that switch to a format. The face goes to every script slot: LibreOffice
// and Word take East Asian characters from the \\dbch font, everything else from \\loch and
// \\hich.
QByteArray controlWords(const RunFormat& f) {
    const QByteArray font = QByteArray::number(f.font);
    return "\\dbch\\f" + font + "\\hich\\f" + font + "\\loch\\f" + font + "\\fs" +
           QByteArray::number(f.halfPoints) + "\\cf" + QByteArray::number(f.colour) + ' ';
}

// The font and colour tables.
QByteArray tables(const QList<QString>& fonts, const QList<QRgb>& colours) {
    QByteArray out = "{\\fonttbl";
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        const FaceEntry face = faceOf(fonts[i]);
        out += "{\\f" + QByteArray::number(i) + '\\' + face.fontFamily + "\\fcharset" +
               QByteArray::number(face.charset) + ' ';
        appendText(out, fonts[i]);
        out += ";}";
    }
    out += "}\n{\\colortbl ;";
    for (QRgb rgb : colours) {
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
               QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    }
    out += "}\n";
    return out;
}

// Black and blue come first so that a document's ordinary colours have fixed numbers.
QList<QRgb> standardColours() {
    return {QColor(Qt::black).rgb(), QColor(Qt::blue).rgb()};
}

// Everything before the first paragraph's text.
QByteArray opening(const QByteArray& tablesText) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n" + tablesText + "\\viewkind4\\pard\\plain ";
}

// After the last paragraph.
constexpr char kClosing[] = "\\par\n}\n";
constexpr char kParagraphEnd[] = "\\par\n";

class Writer {
public:
    explicit Writer(const QTextDocument& document) : document_(document) {
        colours_ = standardColours();
        fonts_ << document.defaultFont().family();
    }

    QByteArray write() {
        QByteArray body;
        body.reserve(qsizetype(document_.characterCount()) * 3 / 2);
        bool firstBlock = true;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            if (!firstBlock) {
                body += kParagraphEnd;
            }
            firstBlock = false;
            bool empty = true;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (!fragment.isValid()) {
                    continue;
                }
                switchTo(body, cachedRun(fragment));
                appendText(body, fragment.text());
                empty = false;
            }
            if (empty) {
                // An empty line keeps its size.
                switchTo(body, run(block.charFormat()));
            }
        }

        QByteArray out = opening(header());
        out.reserve(out.size() + body.size() + 64);
        out += body;
        out += kClosing;
        return out;
    }

private:
    // Long documents use a handful of formats over and over.
    const Run& cachedRun(const QTextFragment& fragment) {
        auto known = byFormatIndex_.find(fragment.charFormatIndex());
        if (known == byFormatIndex_.end()) {
            known = byFormatIndex_.insert(fragment.charFormatIndex(), run(fragment.charFormat()));
        }
        return *known;
    }

    Run run(const QTextCharFormat& format) {
        const RunFormat f = runFormat(format);
        return {f, controlWords(f)};
    }

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

    void switchTo(QByteArray& out, const Run& run) {
        if (current_ && *current_ == run.format) {
            return;
        }
        out += run.control;
        current_ = run.format;
    }

    QByteArray header() const { return tables(fonts_, colours_); }

    const QTextDocument& document_;
    QList<QString> fonts_;
    QList<QRgb> colours_;
    std::optional<RunFormat> current_;
    QHash<int, Run> byFormatIndex_;
};

}  // namespace

QByteArray toRtf(const QTextDocument& document) {
    return Writer(document).write();
}

LinesRtfWriter::LinesRtfWriter(const QString& family, qreal pointSize)
    : family_(family), halfPoints_(qMax(1, qRound(pointSize * 2))), colours_(standardColours()) {}

void LinesRtfWriter::append(QStringView text, QRgb colour) {
    // One face and size throughout: font 0, and the colour's place in the table.
    qsizetype index = colours_.indexOf(colour);
    if (index < 0) {
        colours_ << colour;
        index = colours_.size() - 1;
    }
    if (colour_ != int(index) + 1) {
        colour_ = int(index) + 1;
        body_ += controlWords({0, halfPoints_, colour_});
    }
    // Where the document box starts a new paragraph, the document's RTF has one too.
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == '\r' || u == '\n' || u == QChar::ParagraphSeparator || u == kBeginningOfFrame ||
            u == kEndOfFrame) {
            appendText(body_, text.mid(from, i - from));
            body_ += kParagraphEnd;
            if (u == '\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            from = i + 1;
        }
    }
    appendText(body_, text.mid(from));
}

QByteArray LinesRtfWriter::finish() {
    if (colour_ == 0) {
        // An empty document still names its face, size and colour.
        body_ += controlWords({0, halfPoints_, 1});
    }
    QByteArray out = opening(tables({family_}, colours_));
    out.reserve(out.size() + body_.size() + qsizetype(sizeof kClosing));
    out += std::exchange(body_, {});
    out += kClosing;
    colour_ = 0;
    colours_ = standardColours();
    return out;
}

}  // namespace output
