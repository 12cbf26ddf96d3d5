// Any text in any run of fonts, sizes and colours, put into a document box the way the windows
// do (at the caret, over a selection), must save as RTF that a strict reader parses back to the
// same characters with the same font, size and colour each.
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <cmath>

#include "documentbox.h"
#include "fuzzsupport.h"
#include "rtfreader.h"
#include "rtfwriter.h"

namespace {

const char* const kFonts[] = {
    "Kingsoft Phonetic Plain", "Arial",   "Courier", "宋体", "Courier New",
    "Times New Roman",         "微软雅黑"};
constexpr qreal kSizes[] = {12, 14.25, 9, 10.5, 72, 1, 0.5, 200};

QString fontOf(fuzzing::Bytes& in) {
    return QString::fromUtf8(kFonts[in.below(std::size(kFonts))]);
}

quint32 colourOf(fuzzing::Bytes& in) {
    switch (in.below(4)) {
        case 0:
            return core::kBlack;
        case 1:
            return core::kBlue;
        default:
            return quint32(in.byte()) | quint32(in.byte()) << 8 | quint32(in.byte()) << 16;
    }
}

void moveCaret(output::DocumentBox& box, fuzzing::Bytes& in, bool select) {
    const int end = box.document()->characterCount() - 1;
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(int(in.word()) % (end + 1));
    if (select) {
        cursor.setPosition(int(in.word()) % (end + 1), QTextCursor::KeepAnchor);
    }
    box.setTextCursor(cursor);
}

// A character the writer must keep: everything but control characters (tab excepted), DEL and
// the object replacement character, which stand for nothing a reader could show.
bool isText(char16_t u) {
    return (u >= 0x20 && u != 0x7F && u != 0xFFFC) || u == u'\t';
}

struct Expected {
    char16_t unit;
    QString font;
    qreal points;
    QRgb colour;
};

std::vector<Expected> expectedOf(const QTextDocument& document) {
    std::vector<Expected> out;
    const QFont base = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) {
            out.push_back({u'\n', {}, 0, 0});
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QString family = format.fontFamilies().toStringList().value(0, base.family());
            const qreal points =
                format.fontPointSize() > 0 ? format.fontPointSize() : base.pointSizeF();
            QRgb colour = 0;
            if (format.hasProperty(QTextFormat::ForegroundBrush) &&
                format.foreground().style() != Qt::NoBrush) {
                colour = format.foreground().color().rgb() & 0xFFFFFF;
            }
            for (QChar c : fragment.text()) {
                if (isText(c.unicode())) {
                    out.push_back({c.unicode(), family, points, colour});
                }
            }
        }
    }
    out.push_back({u'\n', {}, 0, 0});  // the writer ends the last paragraph too
    return out;
}

QString hex4(char16_t unit) {
    return QString::number(int(unit), 16).rightJustified(4, u'0');
}

QString describe(qsizetype index, char16_t expected, char16_t got) {
    return QStringLiteral("at %1: expected U+%2, read U+%3")
        .arg(QString::number(index), hex4(expected), hex4(got));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::ensureApplication();
    fuzzing::Bytes in(data, size);

    output::DocumentBox box;
    box.setDefaultFormat(fontOf(in), kSizes[in.below(std::size(kSizes))]);
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        switch (in.below(6)) {
            case 0:  // any UTF-16 units, control characters and lone surrogates included
                box.setInsertionFont(fontOf(in));
                box.setInsertionColour(colourOf(in));
                box.replaceSelection(in.units(in.below(48)));
                break;
            case 1:  // UTF-8 text, so that ASCII specials and whole characters are common
                box.setInsertionFont(fontOf(in));
                box.setInsertionColour(colourOf(in));
                box.replaceSelection(QString::fromUtf8(in.take(in.below(48))));
                break;
            case 2:  // phonetic codes, as a transcription goes in
                box.setInsertionFont(QStringLiteral("Kingsoft Phonetic Plain"));
                box.setInsertionColour(core::kBlue);
                box.replaceSelection(QString::fromLatin1(in.take(in.below(16))));
                break;
            case 3:
                moveCaret(box, in, false);
                break;
            case 4:
                moveCaret(box, in, true);
                break;
            case 5: {  // another size at the caret
                QTextCharFormat format;
                format.setFontPointSize(kSizes[in.below(std::size(kSizes))]);
                box.mergeCurrentCharFormat(format);
                break;
            }
        }
    }

    const QByteArray rtf = core::toRtf(*box.document());
    const testing_support::RtfReading reading = testing_support::readRtf(rtf);
    FUZZ_CHECK(reading.ok(), reading.error + u'\n' + QString::fromLatin1(rtf));

    const std::vector<Expected> expected = expectedOf(*box.document());
    FUZZ_CHECK(reading.text.size() == expected.size(),
               QStringLiteral("%1 characters written, %2 read back\n%3")
                   .arg(QString::number(expected.size()), QString::number(reading.text.size()),
                        QString::fromLatin1(rtf)));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Expected& want = expected[i];
        const testing_support::RtfChar& got = reading.text[i];
        FUZZ_CHECK(got.unit == want.unit, describe(qsizetype(i), want.unit, got.unit));
        if (want.unit == u'\n') {
            continue;
        }
        FUZZ_CHECK(got.font == want.font,
                   describe(qsizetype(i), want.unit, got.unit) +
                       QStringLiteral(" font %1, read %2").arg(want.font, got.font));
        // Sizes are whole half points in RTF.
        FUZZ_CHECK(std::abs(got.halfPoints / 2.0 - want.points) <= 0.25 ||
                       (want.points < 0.5 && got.halfPoints == 1),
                   describe(qsizetype(i), want.unit, got.unit) +
                       QStringLiteral(" size %1, read %2 half points")
                           .arg(QString::number(want.points), QString::number(got.halfPoints)));
        FUZZ_CHECK(got.colour == want.colour,
                   describe(qsizetype(i), want.unit, got.unit) +
                       QStringLiteral(" colour %1, read %2")
                           .arg(QString::number(want.colour, 16), QString::number(got.colour, 16)));
    }
    return 0;
}
