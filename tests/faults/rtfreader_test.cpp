// The strict RTF reader that the fault tests and the RTF fuzz target judge saved files by: it must
// see what a word processor sees, and refuse what a word processor would misread.
#include <gtest/gtest.h>

#include "qtprinters.h"
#include "rtfreader.h"

namespace {

using testing_support::readRtf;

const QByteArray kHeader =
    "{\\rtf1\\ansi\\deff0\\uc1{\\fonttbl{\\f0\\fnil Courier;}{\\f1\\fnil\\fcharset134 "
    "\\u23435?\\u20307?;}}{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\n";

TEST(RtfReader, ReadsTextFontsSizesAndColours) {
    const auto reading = readRtf(kHeader +
                                 "\\plain \\f0\\fs28\\cf2 a\\{\\\\\\}\\par\n\\loch\\f0\\dbch\\f1 "
                                 "\\u20320?b\\tab\\line}\n");
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    EXPECT_EQ(reading.fonts.value(1), QStringLiteral("宋体"));
    EXPECT_EQ(reading.plainText(), QStringLiteral("a{\\}\n你b\t\u2028"));
    EXPECT_EQ(reading.text[0].halfPoints, 28);
    EXPECT_EQ(reading.text[0].colour, 0x0000FFu);
    EXPECT_EQ(reading.text[0].font, QStringLiteral("Courier"));
    EXPECT_EQ(reading.text[5].font, QStringLiteral("宋体"));     // East Asian: \dbch
    EXPECT_EQ(reading.text[6].font, QStringLiteral("Courier"));  // ASCII: \loch
}

TEST(RtfReader, RefusesWhatAWordProcessorWouldMisread) {
    const struct {
        const char* why;
        QByteArray rtf;
    } cases[] = {
        {"not RTF", "hello"},
        {"a group left open", kHeader + "text"},
        {"a group closed twice", kHeader + "text}}"},
        {"text after the end", kHeader + "text}more"},
        {"a raw non-ASCII byte", kHeader + "caf\xc3\xa9}"},
        {"a font not in the table", kHeader + "\\f7 text}"},
        {"a colour not in the table", kHeader + "\\cf3 text}"},
        {"a \\u out of range", kHeader + "\\u70000?}"},
        {"a backslash at the very end", kHeader + "\\"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(readRtf(c.rtf).ok()) << c.why;
    }
}

}  // namespace
