// An annotated text written out: Unicode IPA in brackets, the HTML handout (opened in
// LibreOffice), and the RTF document in the faces and colours of the smart-annotation window.
#include <gtest/gtest.h>

#include "qtprinters.h"

#include <QFile>
#include <QHash>
#include <tuple>

#include "documentbox.h"
#include "files.h"
#include "libreoffice.h"
#include "rtfreader.h"
#include "textannotator.h"
#include "textwriters.h"

namespace {

using core::Symbols;

class Dictionary final : public core::WordSource {
public:
    core::WordTranscriptions transcriptions(const QString& key) override {
        static const QHash<QString, QString> entries{
            {"the", "/TE, Ti/"}, {"happy", "5hApi"}, {"library", "5laibrEri"}, {"air", "/E"}};
        return {entries.value(key), {}, false};
    }
};

class Guesser final : public core::Suggestion {
public:
    bool available() override { return true; }
    QString suggest(const QString& word) override {
        return word == u"xyzzy" ? QStringLiteral("5zizi") : QString();
    }
    // "end" has an American suggestion alone.
    QString suggestAmerican(const QString& word) override {
        return word == u"xyzzy" ? QStringLiteral("5zIzi")
               : word == u"end" ? QStringLiteral("end")
                                : QString();
    }
};

// The text between the words: markup characters, a line end of each kind, Chinese, numbers.
const QString kText = QStringLiteral("The happy library <b>&</b> xyzzy\r\n在 2 air\rthe end");

QByteArray written(core::Utf8TextWriter& writer, core::ByteBuffer& out,
                   core::Accent accent = core::Accent::British) {
    Dictionary dictionary;
    Guesser guesser;
    core::TextOptions options;
    options.guesser = &guesser;
    options.accent = accent;
    core::TextAnnotator(dictionary, options).annotate(kText, writer);
    writer.finish();
    return out.bytes();
}

// With both accents a missing transcription is written "none", and only a suggestion carries
// the "?".
TEST(IpaTextWriter, TheTextWithIpaAfterEachAnnotatedWord) {
    for (const auto& [symbols, accent, expected] :
         {std::tuple{Symbols::Classic, core::Accent::British,
                     "The [ðə] happy [ˈhæpi] library [ˈlaibrəri] <b>&</b> xyzzy [ˈzizi?]\r\n在 2 "
                     "air [εə]\rthe [ðə] end"},
          std::tuple{Symbols::Modern, core::Accent::British,
                     "The [ðə] happy [ˈhæpi] library [ˈlaɪbrəri] <b>&</b> xyzzy [ˈzɪzi?]\r\n在 2 "
                     "air [eə]\rthe [ðə] end"},
          std::tuple{Symbols::Classic, core::Accent::Both,
                     "The 英[ðə] 美[ðə] happy 英[ˈhæpi] 美[none] library 英[ˈlaibrəri] 美[none] "
                     "<b>&</b> xyzzy 英[ˈzizi?] 美[ˈzɪzi?]\r\n在 2 air 英[εə] 美[none]\rthe "
                     "英[ði] 美[ði] end 英[none] 美[end?]"}}) {
        core::ByteBuffer out;
        core::IpaTextWriter writer(out, symbols);
        EXPECT_EQ(QString::fromUtf8(written(writer, out, accent)), QString::fromUtf8(expected));
    }
}

// A long text reaches its sink while it is being written, not only at the end.
TEST(IpaTextWriter, WritesAsItGoes) {
    class Counting final : public core::ByteSink {
    public:
        void write(QByteArrayView bytes) override {
            ++writes;
            total += bytes.size();
        }
        int writes = 0;
        qsizetype total = 0;
    } out;
    Dictionary dictionary;
    core::IpaTextWriter writer(out, Symbols::Classic);
    core::TextAnnotator(dictionary, {}).annotate(QStringLiteral("happy ").repeated(50000), writer);
    EXPECT_GT(out.writes, 1);
    const qsizetype beforeFinish = out.total;
    writer.finish();
    EXPECT_EQ(out.total, qsizetype(50000 * QByteArray("happy [ˈhæpi] ").size()));
    EXPECT_GT(beforeFinish, out.total / 2);
}

TEST(HtmlTextWriter, RubyAboveEachWordAndTheTextEscaped) {
    core::ByteBuffer out;
    core::HtmlTextWriter writer(out, Symbols::Modern, QStringLiteral("A & B"));
    const QString page = QString::fromUtf8(written(writer, out));
    EXPECT_TRUE(page.startsWith(u"<!DOCTYPE html>"));
    EXPECT_TRUE(page.contains(u"<meta charset=\"utf-8\">"));
    EXPECT_TRUE(page.contains(u"<title>A &amp; B</title>"));
    EXPECT_TRUE(page.contains(
        u"<body><ruby>The<rp> [</rp><rt>ðə</rt><rp>]</rp></ruby> "
        u"<ruby>happy<rp> [</rp><rt>ˈhæpi</rt><rp>]</rp></ruby> "
        u"<ruby>library<rp> [</rp><rt>ˈlaɪbrəri</rt><rp>]</rp></ruby> &lt;b&gt;&amp;&lt;/b&gt; "
        u"<ruby class=\"suggested\">xyzzy<rp> [</rp><rt>ˈzɪzi</rt><rp>]</rp></ruby><br>在 2 "
        u"<ruby>air<rp> [</rp><rt>eə</rt><rp>]</rp></ruby><br><ruby>the"))
        << page.toStdString();
    EXPECT_TRUE(page.endsWith(u"end</body>\n</html>\n"));
}

// The page in a real renderer: LibreOffice reads it and finds the words and their IPA.
TEST(HtmlTextWriter, LibreOfficeReadsTheWordsAndTheirIpa) {
    testing_support::LibreOffice office;
    ASSERT_TRUE(office.ready()) << office.problem().toStdString();
    core::ByteBuffer out;
    core::HtmlTextWriter writer(out, Symbols::Classic, QStringLiteral("handout"));
    const QString page = office.dir.filePath(QStringLiteral("handout.html"));
    ASSERT_TRUE(testing_support::writeBytes(page, written(writer, out)));

    const QString log = office.convert(
        {QStringLiteral("--convert-to"), QStringLiteral("txt:Text (encoded):UTF8")}, {page});
    QFile text(office.convertedPath(page, QStringLiteral("txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly)) << log.toStdString();
    const QString read = QString::fromUtf8(text.readAll());
    // Without ruby LibreOffice shows each transcription in brackets after its word.
    for (const char* piece : {"happy [ˈhæpi] library [ˈlaibrəri] <b>&</b> xyzzy [ˈzizi]\n",
                              "\n在 2 air [εə]\n", "\nthe [ðə] end"}) {
        EXPECT_TRUE(read.contains(QString::fromUtf8(piece)))
            << piece << " in " << read.toStdString();
    }
}

// The RTF document: words, brackets and the text between in black Arial, transcriptions in the
// phonetic face, blue, a suggestion grey.
TEST(RtfTextWriter, WordsInArialTranscriptionsInThePhoneticFace) {
    Dictionary dictionary;
    Guesser guesser;
    core::TextOptions options;
    options.guesser = &guesser;
    core::RtfTextWriter writer;
    core::TextAnnotator(dictionary, options)
        .annotate(QStringLiteral("在 happy xyzzy, the"), writer);
    const testing_support::RtfReading rtf = testing_support::readRtf(writer.finish());
    ASSERT_TRUE(rtf.ok()) << rtf.error.toStdString();
    const QString text = rtf.plainText();
    ASSERT_EQ(text, QStringLiteral("在 happy [5hApi] xyzzy [5zizi], the [TE]\n"));
    // Latin, phonetic blue, phonetic grey, character by character.
    const QString kind = QString::fromLatin1(
        "LLLLLLLLL"
        "PPPPP"
        "LLLLLLLLL"
        "GGGGG"
        "LLLLLLLL"
        "PP"
        "L");
    for (qsizetype i = 0; i < kind.size(); ++i) {
        const testing_support::RtfChar& c = rtf.text[size_t(i)];
        const bool phonetic = kind[i] != u'L';
        SCOPED_TRACE(text.left(i + 1).toStdString());
        if (c.unit != u' ' && c.unit != u'在') {
            EXPECT_EQ(c.font, phonetic ? core::phoneticFont() : core::latinFont());
        }
        const quint32 colour = kind[i] == u'P'   ? core::kBlue
                               : kind[i] == u'G' ? core::kGrey
                                                 : core::kBlack;
        EXPECT_EQ(c.colour, core::rgbOf(colour) & 0xFFFFFF);
    }
}

// What a window puts into its document box is what the command line streams as RTF: the box
// saves the same bytes.
TEST(DocumentTextWriter, TheDocumentSavesAsTheRtfStreamWrites) {
    Dictionary dictionary;
    Guesser guesser;
    core::TextOptions options;
    options.guesser = &guesser;
    core::TextAnnotator annotator(dictionary, options);
    output::DocumentBox box;
    box.setDefaultFormat(core::latinFont(), 12);
    {
        core::DocumentTextWriter writer(QTextCursor(box.document()));
        annotator.annotate(kText, writer);
    }
    core::RtfTextWriter rtf;
    annotator.annotate(kText, rtf);
    EXPECT_EQ(core::toRtf(*box.document()), rtf.finish());
    EXPECT_EQ(box.document()->blockCount(), 3);
}

}  // namespace
