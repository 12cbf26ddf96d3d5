#include "rtfwriter.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>
#include <algorithm>
#include <utility>
#include <vector>

namespace core {
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

}  // namespace

// Escapes text for an RTF text destination: the three special characters, tabs and line
// separators as control words, every non-ASCII UTF-16 unit as a signed \uN with "?" for readers
// that know no Unicode.
static void appendText(QByteArray& out, QStringView text) {
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

namespace {

struct RunFormat {
    int font;
    int halfPoints;
    int colour;
    bool operator==(const RunFormat&) const = default;
};

// The control words that switch to a format. The face goes to every script slot: LibreOffice
// and Word take East Asian characters from the \\dbch font, everything else from \\loch and
// \\hich.
QByteArray controlWords(const RunFormat& f) {
    const QByteArray font = QByteArray::number(f.font);
    return "\\dbch\\f" + font + "\\hich\\f" + font + "\\loch\\f" + font + "\\fs" +
           QByteArray::number(f.halfPoints) + "\\cf" + QByteArray::number(f.colour) + ' ';
}

// After the last paragraph.
constexpr char kClosing[] = "\\par\n}\n";
constexpr char kParagraphEnd[] = "\\par\n";

int halfPointsOf(qreal points) {
    return qMax(1, qRound(points * 2));
}

}  // namespace

// The font and colour tables grow as runs name new faces and colours; the body is kept apart
// from them until the end. Black and blue come first, so that a document's ordinary colours have
// fixed numbers; the document's default face is font 0.
class RtfStream::Body {
public:
    explicit Body(const QString& defaultFamily) { reset(defaultFamily); }

    void reset(const QString& defaultFamily) {
        fonts_ = {defaultFamily};
        colours_ = {QColor(Qt::black).rgb(), QColor(Qt::blue).rgb()};
        current_.reset();
        controls_.clear();
        text_.clear();
    }

    RunFormat format(const QString& family, int halfPoints, QRgb colour) {
        return {indexOf(fonts_, family), halfPoints, indexOf(colours_, colour) + 1};
    }
    void switchTo(const RunFormat& format) {
        if (current_ && *current_ == format) {
            return;
        }
        // A stream switches among a handful of formats over and over.
        auto known = std::find_if(controls_.begin(), controls_.end(),
                                  [&](const auto& entry) { return entry.first == format; });
        if (known == controls_.end()) {
            controls_.emplace_back(format, controlWords(format));
            known = controls_.end() - 1;
        }
        text_ += known->second;
        current_ = format;
    }
    bool hasFormat() const { return current_.has_value(); }
    void appendText(QStringView text) { core::appendText(text_, text); }
    void endParagraph() { text_ += kParagraphEnd; }

    QByteArray finish() {
        QByteArray out =
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n" + tables() + "\\viewkind4\\pard\\plain ";
        out.reserve(out.size() + text_.size() + qsizetype(sizeof kClosing));
        out += std::exchange(text_, {});
        out += kClosing;
        return out;
    }

    void reserve(qsizetype bytes) { text_.reserve(bytes); }

private:
    template <typename T>
    static int indexOf(QList<T>& list, const T& value) {
        qsizetype i = list.indexOf(value);
        if (i < 0) {
            list << value;
            i = list.size() - 1;
        }
        return int(i);
    }

    QByteArray tables() const {
        QByteArray out = "{\\fonttbl";
        for (qsizetype i = 0; i < fonts_.size(); ++i) {
            const FaceEntry face = faceOf(fonts_[i]);
            out += "{\\f" + QByteArray::number(i) + '\\' + face.fontFamily + "\\fcharset" +
                   QByteArray::number(face.charset) + ' ';
            core::appendText(out, fonts_[i]);
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

    QList<QString> fonts_;
    QList<QRgb> colours_;
    std::optional<RunFormat> current_;
    std::vector<std::pair<RunFormat, QByteArray>> controls_;
    QByteArray text_;
};

namespace {

class DocumentWriter {
public:
    explicit DocumentWriter(const QTextDocument& document)
        : document_(document), body_(document.defaultFont().family()) {}

    QByteArray write() {
        body_.reserve(qsizetype(document_.characterCount()) * 3 / 2);
        bool firstBlock = true;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            if (!firstBlock) {
                body_.endParagraph();
            }
            firstBlock = false;
            bool empty = true;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (!fragment.isValid()) {
                    continue;
                }
                body_.switchTo(cachedFormat(fragment));
                body_.appendText(fragment.text());
                empty = false;
            }
            if (empty) {
                // An empty line keeps its size.
                body_.switchTo(formatOf(block.charFormat()));
            }
        }
        return body_.finish();
    }

private:
    // Long documents use a handful of formats over and over.
    RunFormat cachedFormat(const QTextFragment& fragment) {
        auto known = byFormatIndex_.find(fragment.charFormatIndex());
        if (known == byFormatIndex_.end()) {
            known =
                byFormatIndex_.insert(fragment.charFormatIndex(), formatOf(fragment.charFormat()));
        }
        return *known;
    }

    RunFormat formatOf(const QTextCharFormat& format) {
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
        return body_.format(font.family(), halfPointsOf(points), colour.rgb());
    }

    const QTextDocument& document_;
    RtfStream::Body body_;
    QHash<int, RunFormat> byFormatIndex_;
};

}  // namespace

QByteArray toRtf(const QTextDocument& document) {
    return DocumentWriter(document).write();
}

RtfStream::RtfStream(const QString& defaultFamily, qreal pointSize)
    : defaultFamily_(defaultFamily),
      halfPoints_(halfPointsOf(pointSize)),
      body_(std::make_unique<Body>(defaultFamily)) {}

RtfStream::~RtfStream() = default;

void RtfStream::append(QStringView text, const QString& family, QRgb colour) {
    body_->switchTo(body_->format(family, halfPoints_, colour));
    // Where the document box starts a new paragraph, the document's RTF has one too.
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == '\r' || u == '\n' || u == QChar::ParagraphSeparator || u == kBeginningOfFrame ||
            u == kEndOfFrame) {
            body_->appendText(text.mid(from, i - from));
            body_->endParagraph();
            if (u == '\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            from = i + 1;
        }
    }
    body_->appendText(text.mid(from));
}

QByteArray RtfStream::finish() {
    if (!body_->hasFormat()) {
        // An empty document still names its face, size and colour.
        body_->switchTo(body_->format(defaultFamily_, halfPoints_, QColor(Qt::black).rgb()));
    }
    QByteArray out = body_->finish();
    body_->reset(defaultFamily_);
    return out;
}

}  // namespace core
