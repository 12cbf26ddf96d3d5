// Documents saved by the program, opened by a real word processor: headless LibreOffice converts
// them to flat OpenDocument XML, and every character's text, font, size and colour is compared
// with the document in the window.
#include <gtest/gtest.h>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextDocument>
#include <memory>

#include "documentbox.h"
#include "libreoffice.h"
#include "qtprinters.h"

namespace {

using output::DocumentBox;
using testing_support::CharFormat;
using testing_support::documentParagraphs;
using testing_support::FlatOdt;
using testing_support::Paragraph;

const QString kPhonetic = QStringLiteral("Kingsoft Phonetic Plain");

// Puts pieces into a box the way the windows do; a size change stands for a caret that sits in
// text of another size.
struct Piece {
    QString family;
    quint32 colour;
    qreal points;  // 0: the size in force at the caret
    QString text;
};

void fill(DocumentBox& box, const QList<Piece>& pieces) {
    for (const Piece& piece : pieces) {
        if (piece.points > 0) {
            box.setFontPointSize(piece.points);
        }
        box.setInsertionFont(piece.family);
        box.setInsertionColour(piece.colour);
        box.replaceSelection(piece.text);
    }
}

struct Sample {
    QString fileName;
    QString defaultFamily;
    qreal defaultPoints;
    QList<Piece> pieces;
    // What a window's own insertions add after the pieces; none of their slashes and commas is
    // a phonetic code.
    QList<core::Insertion> insertions = {};
};

QList<Sample> samples() {
    const QString arial = QStringLiteral("Arial");
    const QString song = QStringLiteral("宋体");
    const QString courier = QStringLiteral("Courier");
    using core::kBlack;
    using core::kBlue;
    return {
        // The manual-input window: 宋体 14.25 pt by default.
        {QStringLiteral("manual.doc"),
         song,
         14.25,
         {{song, kBlack, 0, QStringLiteral("中文注音：龍鑫𠮷")},
          {arial, kBlack, 0, QStringLiteral(" Quality [")},
          {kPhonetic, kBlue, 0, QStringLiteral("5kwRliti")},
          {arial, kBlack, 0, QStringLiteral("]\r\n\r\n")},
          {arial, kBlack, 20, QStringLiteral("thorough /")},
          {kPhonetic, kBlue, 0, QStringLiteral("5WQrE, 7Z]\\GM{}")},
          {arial, kBlack, 0, QStringLiteral("/\r\n")},
          {song, kBlue, 9, QStringLiteral("小字蓝色")}}},
        // The smart-annotation window: "Courier" 12 pt, saved under an ".rtf" name.
        {QStringLiteral("smart.rtf"),
         courier,
         12,
         {{arial, kBlack, 0, QStringLiteral("Quality")},
          {arial, kBlack, 0, QStringLiteral(" [")},
          {kPhonetic, kBlue, 0, QStringLiteral("5kwRliti")},
          {arial, kBlack, 0, QStringLiteral("]\r\n")},
          {arial, kBlack, 9, QStringLiteral("Zhang 张三 [")},
          {kPhonetic, kBlue, 0, QStringLiteral("tFA:N")},
          {arial, kBlack, 0, QStringLiteral("]")}}},
        // The smart-annotation window's own entries: an annotated word, one typed in the
        // manual-entry dialog, and a word of two pronunciations.
        {QStringLiteral("entries.doc"),
         courier,
         12,
         {},
         {core::smartEntry(QStringLiteral("Quality"), QStringLiteral("5kwRliti"),
                           core::Marks::SquareBrackets),
          core::manualEntryLine(QStringLiteral("flimbo"), QStringLiteral("5flimbEu")),
          core::smartEntry(QStringLiteral("the"), QStringLiteral("/TE, Ti/"),
                           core::Marks::Slashes)}},
        // The batch window: the phonetic face itself is the default.
        {QStringLiteral("batch.doc"),
         kPhonetic,
         12,
         {},
         {{{core::batchLine(QStringLiteral("apple"), QStringLiteral("5Apl"))}},
          {{core::batchLine(QStringLiteral("the"), QStringLiteral("/TE, Ti/"))}},
          {{core::batchLine(QStringLiteral("air"), QStringLiteral("/E"))}},
          {{core::batchLine(QStringLiteral("xyzzy"), QString())}},
          {{core::guessedBatchLine(QStringLiteral("flimbo"), QStringLiteral("5flimbEu"))}}}},
    };
}

// LibreOffice headless, with a profile of the test's own, converting into dir's "converted".
class LibreOfficeRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(office.ready()) << office.problem().toStdString(); }

    QString convert(const QStringList& options, const QStringList& files) {
        return office.convert(options, files);
    }

    testing_support::LibreOffice office;
    QTemporaryDir& dir = office.dir;
};

TEST_F(LibreOfficeRoundTrip, EveryCharacterKeepsItsTextFontSizeAndColour) {
    QStringList files;
    QList<QList<Paragraph>> expected;
    for (const Sample& sample : samples()) {
        DocumentBox box;
        box.setDefaultFormat(sample.defaultFamily, sample.defaultPoints);
        box.setLocked(true);
        fill(box, sample.pieces);
        for (const core::Insertion& insertion : sample.insertions) {
            box.insert(insertion);
        }
        const QString path = dir.filePath(sample.fileName);
        QString error;
        ASSERT_TRUE(box.saveToFile(path, &error)) << error.toStdString();
        files << path;
        expected << documentParagraphs(*box.document());
    }

    const QString log = convert({QStringLiteral("--convert-to"), QStringLiteral("fodt")}, files);

    for (qsizetype n = 0; n < files.size(); ++n) {
        SCOPED_TRACE(files[n].toStdString());
        QFile converted(office.convertedPath(files[n], QStringLiteral("fodt")));
        ASSERT_TRUE(converted.open(QIODevice::ReadOnly)) << log.toStdString();
        const FlatOdt odt(converted.readAll());
        ASSERT_TRUE(odt.error().isEmpty()) << odt.error().toStdString();

        const bool ownInsertionsOnly = samples()[n].pieces.isEmpty();
        const QList<Paragraph>& want = expected[n];
        const QList<Paragraph>& got = odt.paragraphs();
        ASSERT_EQ(got.size(), want.size());
        for (qsizetype p = 0; p < want.size(); ++p) {
            ASSERT_EQ(got[p].text, want[p].text) << "paragraph " << p;
            for (qsizetype i = 0; i < want[p].text.size(); ++i) {
                if (want[p].text[i].isSpace()) {
                    continue;  // blanks take whichever script's font stands beside them
                }
                const bool delimiter =
                    (want[p].text[i] == u'/' &&
                     (i == want[p].text.indexOf(u'/') || i == want[p].text.lastIndexOf(u'/'))) ||
                    (want[p].text[i] == u',' && want[p].text.mid(i + 1, 1) == u" ");
                if (ownInsertionsOnly && delimiter) {
                    EXPECT_NE(got[p].formats[i].family, kPhonetic)
                        << "paragraph " << p << " character " << i;
                }
                EXPECT_EQ(got[p].formats[i], want[p].formats[i])
                    << "paragraph " << p << " character " << i << " '"
                    << QString(want[p].text[i]).toStdString() << "': got "
                    << describe(got[p].formats[i]) << ", want " << describe(want[p].formats[i]);
            }
        }
    }
}

// The "复制为Unicode音标" copy pasted into a word processor: LibreOffice takes its HTML flavour
// with the HTML import that a paste uses, into a text document, and the text it holds reads as
// IPA, with no phonetic font anywhere.
TEST_F(LibreOfficeRoundTrip, TheUnicodeIpaCopyReadsAsIpaInAWordProcessor) {
    DocumentBox box;
    box.setDefaultFormat(QStringLiteral("Courier"), 12);
    const QString arial = QStringLiteral("Arial");
    using core::kBlack;
    using core::kBlue;
    fill(box, {{arial, kBlack, 0, QStringLiteral("Quality [")},
               {kPhonetic, kBlue, 0, QStringLiteral("5kwRliti")},
               {arial, kBlack, 0, QStringLiteral("]\r\nthe [")},
               {kPhonetic, kBlue, 0, QStringLiteral("/TE, Ti/")},
               {arial, kBlack, 0, QStringLiteral("] air [")},
               {kPhonetic, kBlue, 0, QStringLiteral("/E")},
               {arial, kBlack, 0, QStringLiteral("]")}});
    const std::unique_ptr<QMimeData> copy(box.unicodeIpaCopy());
    QFile html(dir.filePath("copy.html"));
    ASSERT_TRUE(html.open(QIODevice::WriteOnly));
    html.write(copy->html().toUtf8());
    html.close();

    const QString log =
        convert({QStringLiteral("--infilter=HTML (StarWriter)"), QStringLiteral("--convert-to"),
                 QStringLiteral("txt:Text (encoded):UTF8")},
                {html.fileName()});
    QFile text(office.convertedPath(html.fileName(), QStringLiteral("txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly)) << log.toStdString();
    QString pasted = QString::fromUtf8(text.readAll());
    pasted.remove(QChar(0xFEFF));
    pasted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(pasted.trimmed(), QStringLiteral("Quality [ˈkwɔliti]\nthe [/ðə, ði/] air [εə]"));
}

}  // namespace
