// The command line end to end: the built program, copied with its dictionary library into a
// folder of the test's own, so that its miss log is the test's too.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "batchfiles.h"
#include "clickablelabel.h"
#include "commandline.h"
#include "frm4.h"
#include "lookupclient.h"
#include "process.h"
#include "qtprinters.h"
#include "rtfreader.h"
#include "suggestion.h"
#include "testenv.h"
#include "unicodeipa.h"

namespace {

using batch_testing::exampleList;
using testing_support::readBytes;
using testing_support::writeFile;

using Outcome = testing_support::ProcessOutcome;

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program.ready() && data.isValid()) << program.error(); }

    // espeakData: where eSpeak NG looks for its data; its own place when empty.
    Outcome run(const QStringList& arguments, const QString& espeakData = QString(),
                const QByteArray& standardInput = {}) {
        QProcessEnvironment environment = program.environment();
        environment.remove("ESPEAK_DATA_PATH");
        if (!espeakData.isEmpty()) {
            environment.insert("ESPEAK_DATA_PATH", espeakData);
        }
        const Outcome outcome = testing_support::runProcess(program.program(), arguments,
                                                            environment, 60000, standardInput);
        EXPECT_TRUE(outcome.finished);
        return outcome;
    }

    QString list(const QString& name, const QByteArray& bytes) {
        return writeFile(data.path(), name, bytes);
    }
    QByteArray missLog() const { return readBytes(program.file("unfound.dat")); }

    testing_support::ProgramCopy program;
    QTemporaryDir data;
};

TEST_F(CommandLineTest, WritesTheDocumentAsRtfAndSummarises) {
    const QString output = data.filePath("result.rtf");
    const Outcome outcome =
        run({"--batch", list("words.txt", exampleList("\n")), "--output", output});
    EXPECT_EQ(outcome.status, commandline::kExitOk) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_TRUE(outcome.err.contains("共标注 3 个单词：找到音标 2 个，没找到 1 个。"))
        << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(program.file("unfound.dat")));
    const QByteArray rtf = readBytes(output);
    EXPECT_TRUE(rtf.startsWith("{\\rtf"));
    for (const char* piece : {"apple/", "5Apl", "zebra/", "5zi:brE", "xyzzy/", "  "}) {
        EXPECT_TRUE(rtf.contains(piece)) << piece;
    }
    EXPECT_EQ(missLog(), "xyzzy,\r\n");

    // -o names the output too; a second run replaces the file and appends to the log.
    EXPECT_EQ(run({"-b", list("one.txt", "zebra\r\n"), "-o", output}).status, commandline::kExitOk);
    EXPECT_FALSE(readBytes(output).contains("apple"));
    EXPECT_TRUE(readBytes(output).contains("5zi:brE"));
    EXPECT_EQ(missLog(), "xyzzy,\r\n");

    // --format rtf makes the document whatever the name, or writes it to standard output.
    const QString named = data.filePath("result.txt");
    EXPECT_EQ(run({"-b", list("one.txt", "zebra\r\n"), "--format", "rtf", "-o", named}).status,
              commandline::kExitOk);
    EXPECT_TRUE(readBytes(named).startsWith("{\\rtf"));
    const Outcome piped = run({"-b", list("one.txt", "zebra\r\n"), "--format=rtf"});
    EXPECT_EQ(piped.status, commandline::kExitOk) << piped.err.toStdString();
    EXPECT_TRUE(piped.out.startsWith("{\\rtf"));
    EXPECT_TRUE(piped.out.contains("5zi:brE"));
}

TEST_F(CommandLineTest, WritesTheSameBytesAsTheBatchWindowSaves) {
    // Lines the document box treats specially: tabs, RTF's own characters, Chinese, a character
    // outside the basic plane, a line and a paragraph separator; and enough words for several
    // frames of the window.
    QByteArray words = exampleList() + "\tx\r\nback\\slash {braces}\r\n" +
                       QString::fromUtf8("苹果\r\n😀 smile\r\na\u2028b\r\nc\u2029d\r\n").toUtf8();
    for (int i = 0; i < 300; ++i) {
        words += "quality\r\nxyzzy\r\nNew York\r\n";
    }
    const QString path = list("words.txt", words);

    testing_support::TestEnvironment env;
    core::LookupClient client(env.services);
    batch::Frm4 window(env.services, client);
    window.show();
    window.annotateFile(path);
    const QString saved = data.filePath("window.rtf");
    env.files.answer(saved);
    QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("Label4")), Qt::LeftButton);
    ASSERT_EQ(env.messages.shown.size(), 1u);

    const QString written = data.filePath("command.rtf");
    const Outcome outcome = run({"--batch", path, "--output", written});
    ASSERT_EQ(outcome.status, commandline::kExitOk) << outcome.err.toStdString();
    const QByteArray expected = readBytes(saved);
    ASSERT_TRUE(expected.contains("5kwRliti"));
    EXPECT_EQ(readBytes(written), expected);
}

TEST_F(CommandLineTest, WithoutAnOutputFileTheLinesGoToStandardOutput) {
    const Outcome outcome =
        run({"--batch", list("odd.txt", "Apple\r\n\r\n   \r\n\txyz\r\n3D\r\n")});
    EXPECT_EQ(outcome.status, commandline::kExitOk) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, "apple/5Apl/\n/  /\n\txyz/  /\n3d/  /\n");
    EXPECT_EQ(missLog(), ",\r\n\txyz,\r\n3d,\r\n");

    // --format lines says the same; a name that is no document gets the lines too.
    const QString words = list("words.txt", exampleList());
    EXPECT_EQ(run({"--batch", words, "--format", "lines"}).out,
              "apple/5Apl/\nzebra/5zi:brE/\nxyzzy/  /\n");
    const QString output = data.filePath("result.txt");
    EXPECT_EQ(run({"--batch", words, "-o", output}).status, commandline::kExitOk);
    EXPECT_EQ(readBytes(output), "apple/5Apl/\nzebra/5zi:brE/\nxyzzy/  /\n");

    // A transcription that only rules made is written as a suggestion is, marked for a teacher
    // to check; the dictionary's checked ones are not.
    EXPECT_EQ(run({"--batch", list("doubt.txt", "alkanet\napple\n")}).out,
              "alkanet/5AlkEnet/?\napple/5Apl/\n");

    // "-" reads the word list from standard input, as a filter does.
    const Outcome piped = run({"--batch", "-"}, QString(), exampleList());
    EXPECT_EQ(piped.status, commandline::kExitOk) << piped.err.toStdString();
    EXPECT_EQ(piped.out, "apple/5Apl/\nzebra/5zi:brE/\nxyzzy/  /\n");
}

TEST_F(CommandLineTest, FormatIpaWritesTheWordATabAndUnicodeIpa) {
    const QString words = list("words.txt", "Quality\r\nthe\r\nair\r\nxyzzy\r\n");
    const QByteArray expected = "quality\tˈkwɔliti\nthe\t/ðə, ði/\nair\tεə\nxyzzy\t\n";
    const Outcome outcome = run({"--batch", words, "--format", "ipa"});
    EXPECT_EQ(outcome.status, commandline::kExitOk) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, expected);
    EXPECT_EQ(missLog(), "xyzzy,\r\n");

    const QString output = data.filePath("result.rtf");
    EXPECT_EQ(run({"-b", words, "-f", "ipa", "-o", output}).status, commandline::kExitOk);
    EXPECT_EQ(readBytes(output), expected);
}

// --accent: the British transcriptions (uk, the default), the American ones (us) or both, in
// every format; American IPA in the classic symbols whatever --symbols says of the British. A
// word the American table lacks ("halfpennies") is missing there, never British.
TEST_F(CommandLineTest, TheAccentChoosesTheTranscriptionsInEachFormat) {
    const QString words = list("words.txt", "Quality\nwater\nhalfpennies\nxyzzy\n");
    const QString passage = list("passage.txt", "The quality.");
    const struct {
        QStringList arguments;
        const char* out;
    } cases[] = {
        {{"--batch", words, "--format", "ipa", "--accent", "uk"},
         "quality\tˈkwɔliti\nwater\tˈwɔːtə\nhalfpennies\tˈheipniz\nxyzzy\t\n"},
        {{"--batch", words, "--format", "ipa", "--accent", "us", "--symbols", "modern"},
         "quality\tˈkwɑːləti\nwater\tˈwɔːtər\nhalfpennies\t\nxyzzy\t\n"},
        {{"--batch", words, "--format", "ipa", "--accent", "both"},
         "quality\tˈkwɔliti\tˈkwɑːləti\nwater\tˈwɔːtə\tˈwɔːtər\nhalfpennies\tˈheipniz\t\n"
         "xyzzy\t\t\n"},
        {{"--batch", words, "--accent", "us"},
         "quality/5kwB:lEti/\nwater/5wR:tEr/\nhalfpennies/  /\nxyzzy/  /\n"},
        {{"--batch", words, "--accent", "both"},
         "quality 英[5kwRliti] 美[5kwB:lEti]\nwater 英[5wR:tE] 美[5wR:tEr]\n"
         "halfpennies 英[5heipniz] 美[  ]\nxyzzy 英[  ] 美[  ]\n"},
        {{"--text", passage, "--accent", "us"}, "The [ðə] quality [ˈkwɑːləti]."},
        {{"--text", passage, "--accent", "both", "--symbols", "modern"},
         "The 英[ðə] 美[ðə] quality 英[ˈkwɒlɪti] 美[ˈkwɑːləti]."},
        {{"--text", passage, "--accent", "both", "--format", "html"},
         "<ruby>quality<rp> </rp><rt>英[ˈkwɔliti] 美[ˈkwɑːləti]</rt></ruby>"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, commandline::kExitOk) << outcome.err.toStdString();
        const QString out = QString::fromUtf8(outcome.out);
        if (c.arguments.contains("html")) {
            EXPECT_TRUE(out.contains(QString::fromUtf8(c.out))) << out.toStdString();
        } else {
            EXPECT_EQ(out, QString::fromUtf8(c.out)) << c.arguments.join(' ').toStdString();
        }
    }

    // The document carries both, each transcription in the phonetic face.
    const QString output = data.filePath("both.rtf");
    ASSERT_EQ(run({"--batch", words, "--accent", "both", "-o", output}).status,
              commandline::kExitOk);
    const testing_support::RtfReading rtf = testing_support::readRtf(readBytes(output));
    ASSERT_TRUE(rtf.ok()) << rtf.error.toStdString();
    EXPECT_TRUE(rtf.plainText().startsWith("quality 英[5kwRliti] 美[5kwB:lEti]\n"));
}

// --say --accent us says the American transcription in the American voice; both says the
// British and then the American one into the same file.
TEST_F(CommandLineTest, SayInTheAccentChosen) {
    const auto seconds = [](const QByteArray& wav) {
        return double(wav.size() - 44) / 2 / qFromLittleEndian<quint32>(wav.constData() + 24);
    };
    const Outcome british = run({"--say", "quality", "-o", data.filePath("uk.wav")});
    if (british.status == commandline::kExitFailed && british.err.contains("eSpeak")) {
        GTEST_SKIP() << "eSpeak NG or its English data is missing";
    }
    const Outcome american =
        run({"--say", "quality", "--accent", "us", "-o", data.filePath("us.wav")});
    ASSERT_EQ(american.status, commandline::kExitOk) << american.err.toStdString();
    EXPECT_TRUE(american.err.contains("ˈkwɑːləti")) << american.err.toStdString();
    const QByteArray us = readBytes(data.filePath("us.wav"));
    EXPECT_NE(us, readBytes(data.filePath("uk.wav")));
    // The same codes said by the British voice sound otherwise.
    ASSERT_EQ(run({"--say", "/5kwB:lEti/", "-o", data.filePath("codes.wav")}).status,
              commandline::kExitOk);
    EXPECT_NE(us, readBytes(data.filePath("codes.wav")));
    ASSERT_EQ(
        run({"--say", "/5kwB:lEti/", "--accent", "us", "-o", data.filePath("codes.wav")}).status,
        commandline::kExitOk);
    EXPECT_EQ(us, readBytes(data.filePath("codes.wav")));

    const Outcome both =
        run({"--say", "quality", "--accent", "both", "-o", data.filePath("both.wav")});
    ASSERT_EQ(both.status, commandline::kExitOk) << both.err.toStdString();
    EXPECT_TRUE(both.err.contains("ˈkwɔliti，ˈkwɑːləti")) << both.err.toStdString();
    EXPECT_GT(seconds(readBytes(data.filePath("both.wav"))),
              seconds(us) + seconds(readBytes(data.filePath("uk.wav"))));

    const Outcome dropped =
        run({"--say", "halfpennies", "--accent", "us", "-o", data.filePath("x.wav")});
    EXPECT_EQ(dropped.status, commandline::kExitFailed);
    EXPECT_TRUE(dropped.err.contains("词典里没有“halfpennies”的美式音标"))
        << dropped.err.toStdString();
}

// A word list or a passage alike.
TEST_F(CommandLineTest, AWordListThatCannotBeReadFailsAndWritesNothing) {
    const QString output = data.filePath("result.rtf");
    const QString missing = data.filePath("missing.txt");
    const QString binary = list("binary.txt", QByteArray("apple\0\x01\x02", 8));
    for (const auto& [option, input] :
         {std::pair{"--batch", missing}, std::pair{"--batch", binary}, std::pair{"--text", missing},
          std::pair{"--text", binary}}) {
        const Outcome outcome = run({option, input, "--output", output});
        EXPECT_EQ(outcome.status, commandline::kExitFailed) << option << ' ' << input.toStdString();
        EXPECT_TRUE(outcome.err.contains(input)) << outcome.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(output));
        EXPECT_FALSE(QFileInfo::exists(program.file("unfound.dat")));
    }
}

TEST_F(CommandLineTest, AnOutputThatCannotBeWrittenFails) {
    const Outcome outcome =
        run({"--batch", list("words.txt", "apple\n"), "--output", data.filePath("no/such/x.rtf")});
    EXPECT_EQ(outcome.status, commandline::kExitFailed);
    EXPECT_TRUE(outcome.err.contains("无法保存")) << outcome.err.toStdString();
}

TEST_F(CommandLineTest, AMissLogThatCannotBeWrittenFailsButKeepsTheOutput) {
    ASSERT_TRUE(QDir().mkdir(program.file("unfound.dat")));
    const Outcome outcome = run({"--batch", list("words.txt", "xyzzy\nzebra\n")});
    EXPECT_EQ(outcome.status, commandline::kExitFailed);
    EXPECT_EQ(outcome.out, "xyzzy/  /\nzebra/5zi:brE/\n");
    EXPECT_TRUE(outcome.err.contains("无法写入")) << outcome.err.toStdString();
}

TEST_F(CommandLineTest, WithoutTheDictionaryNothingIsAnnotated) {
    ASSERT_TRUE(QFile::remove(program.file("libsonabet.so")));
    const QString output = data.filePath("result.rtf");
    const Outcome outcome = run({"--batch", list("words.txt", exampleList()), "--output", output});
    EXPECT_EQ(outcome.status, commandline::kExitFailed);
    EXPECT_TRUE(outcome.err.contains("sonabet")) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains("没有标注任何单词"));
    EXPECT_FALSE(QFileInfo::exists(output));
    EXPECT_FALSE(QFileInfo::exists(program.file("unfound.dat")));
}

// --guess writes a missing word with its suggestion, marked, and still logs it; a word that is no
// word (digits) keeps the placeholder. The summary counts the guessed words apart.
TEST_F(CommandLineTest, GuessFillsMissingWordsInEachFormat) {
    const QString guess = core::EspeakSuggestion().suggest("xyzzy");
    ASSERT_FALSE(guess.isEmpty());
    const QString words = list("words.txt", "Apple\nxyzzy\n3D\n");

    const Outcome lines = run({"--batch", words, "--guess"});
    EXPECT_EQ(lines.status, commandline::kExitOk) << lines.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(lines.out), "apple/5Apl/\nxyzzy/" + guess + "/?\n3d/  /\n");
    EXPECT_TRUE(
        lines.err.contains("共标注 3 个单词：找到音标 1 个，没找到 2 个。其中 1 个写上了建议音标"))
        << lines.err.toStdString();
    EXPECT_EQ(missLog(), "xyzzy,\r\n3d,\r\n");

    // In 美 the suggestion of eSpeak's American voice in the American codes; in 英美 each beside
    // the other.
    const QString americanGuess = core::EspeakSuggestion().suggestAmerican("xyzzy");
    ASSERT_FALSE(americanGuess.isEmpty());
    EXPECT_NE(americanGuess, guess);
    EXPECT_EQ(QString::fromUtf8(run({"--batch", words, "--guess", "--accent", "us"}).out),
              "apple/5Apl/\nxyzzy/" + americanGuess + "/?\n3d/  /\n");
    EXPECT_EQ(QString::fromUtf8(run({"--batch", words, "--guess", "--accent", "both"}).out),
              QStringLiteral("apple 英[5Apl] 美[5Apl]\nxyzzy 英[") + guess + "]? 美[" +
                  americanGuess + "]?\n3d 英[  ] 美[  ]\n");

    // In Unicode IPA the suggestion carries a "?" after it.
    const Outcome ipa = run({"--batch", words, "--guess", "--format", "ipa"});
    EXPECT_EQ(ipa.status, commandline::kExitOk) << ipa.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(ipa.out),
              QStringLiteral("apple\tˈæpl\nxyzzy\t") +
                  QString::fromStdString(sonabet::notation::toUnicodeIpa(guess.toStdString())) +
                  QStringLiteral("?\n3d\t\n"));

    // In the document the suggestion is grey, where the dictionary's transcriptions are not.
    const QString output = data.filePath("result.rtf");
    EXPECT_EQ(run({"--batch", words, "--guess", "--output", output}).status, commandline::kExitOk);
    const testing_support::RtfReading rtf = testing_support::readRtf(readBytes(output));
    ASSERT_TRUE(rtf.ok()) << rtf.error.toStdString();
    const QString text = rtf.plainText();
    EXPECT_EQ(text, "apple/5Apl/\nxyzzy/" + guess + "/\n3d/  /\n\n");  // the last paragraph mark
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool suggested = i >= text.indexOf(guess) && i < text.indexOf(guess) + guess.size();
        EXPECT_EQ(rtf.text[size_t(i)].colour == 0x808080, suggested) << i;
    }
}

// Without eSpeak NG's data --guess says so once and the run goes on as without it.
TEST_F(CommandLineTest, GuessWithoutEspeakSaysSoOnce) {
    QTemporaryDir emptyData;
    ASSERT_TRUE(emptyData.isValid());
    const Outcome outcome =
        run({"--batch", list("words.txt", "xyzzy\nzebra\nqwzx\n"), "--guess"}, emptyData.path());
    EXPECT_EQ(outcome.status, commandline::kExitOk);
    EXPECT_EQ(outcome.out, "xyzzy/  /\nzebra/5zi:brE/\nqwzx/  /\n");
    EXPECT_EQ(outcome.err.count("找不到 eSpeak NG"), 1) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.contains("建议音标，请核对"));
    EXPECT_EQ(missLog(), "xyzzy,\r\nqwzx,\r\n");
}

// --say writes the word as its transcription sounds into a WAV file; codes between slashes are
// said as written; a word the dictionary lacks is an error unless --guess.
TEST_F(CommandLineTest, SayWritesTheSpokenWordAsAWavFile) {
    const QString wav = data.filePath("quality.wav");
    const Outcome said = run({"--say", "quality", "-o", wav});
    if (said.status == commandline::kExitFailed && said.err.contains("eSpeak")) {
        GTEST_SKIP() << "eSpeak NG or its English data is missing";
    }
    ASSERT_EQ(said.status, commandline::kExitOk) << said.err.toStdString();
    EXPECT_TRUE(said.err.contains("ˈkwɔliti")) << said.err.toStdString();
    const QByteArray bytes = readBytes(wav);
    ASSERT_GT(bytes.size(), 44);
    EXPECT_TRUE(bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE");
    const auto sampleRate = qFromLittleEndian<quint32>(bytes.constData() + 24);
    const double seconds = double(bytes.size() - 44) / 2 / sampleRate;
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 1.5);

    EXPECT_EQ(run({"--say", "/5kwRliti/", "-o", data.filePath("codes.wav")}).status,
              commandline::kExitOk);
    EXPECT_EQ(readBytes(data.filePath("codes.wav")), bytes);

    const Outcome missing = run({"--say", "Xyzzyq", "-o", data.filePath("x.wav")});
    EXPECT_EQ(missing.status, commandline::kExitFailed);
    EXPECT_TRUE(missing.err.contains("词典里没有“xyzzyq”的音标")) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(data.filePath("x.wav")));
    EXPECT_EQ(run({"--say", "Xyzzyq", "--guess", "-o", data.filePath("x.wav")}).status,
              commandline::kExitOk);
    EXPECT_EQ(run({"--say", "quality"}).status, commandline::kExitUsage);
}

// --text: the passage as it stands with IPA after each word beyond the level, read from a file
// or standard input, as text, an HTML handout or the window's document.
TEST_F(CommandLineTest, TextAnnotatesAPassageInEachFormat) {
    const QByteArray passage = "The seaweed\xe2\x80\x99s cod, 2 cats.\r\n";
    const QString file = list("passage.txt", passage);
    const Outcome ipa = run({"--text", file});
    ASSERT_EQ(ipa.status, commandline::kExitOk) << ipa.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(ipa.out),
              "The [ðə] seaweed’s [ˈsiːwiːdz] cod [kɔd], 2 cats [kæts].\r\n");
    EXPECT_TRUE(ipa.err.contains("共 4 个单词：标注 4 个")) << ipa.err.toStdString();

    const Outcome rare =
        run({"--text", "-", "--level", "3000", "--symbols", "modern"}, QString(), passage);
    ASSERT_EQ(rare.status, commandline::kExitOk) << rare.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(rare.out), "The seaweed’s [ˈsiːwiːdz] cod [kɒd], 2 cats.\r\n");

    const QString html = data.filePath("handout.html");
    ASSERT_EQ(run({"--text", file, "-o", html}).status, commandline::kExitOk);
    const QString page = QString::fromUtf8(readBytes(html));
    EXPECT_TRUE(page.contains("<ruby>The<rp> [</rp><rt>ðə</rt><rp>]</rp></ruby>"))
        << page.toStdString();

    // Each word one form, by its sentence; the weak forms on request; the examination bands.
    const QString sentence =
        list("sentence.txt", "She wanted to present the present to the committee.");
    const Outcome citation = run({"--text", sentence});
    EXPECT_EQ(QString::fromUtf8(citation.out),
              "She [ʃiː] wanted [ˈwɔntid] to [tuː] present [priˈzent] the [ðə] present "
              "[ˈprezənt] to [tuː] the [ðə] committee [kəˈmiti].");
    const Outcome weak = run({"--text", sentence, "--weak-forms"});
    EXPECT_EQ(QString::fromUtf8(weak.out),
              "She [ʃi] wanted [ˈwɔntid] to [tə] present [priˈzent] the [ðə] present [ˈprezənt] "
              "to [tə] the [ðə] committee [kəˈmiti].");
    const Outcome band4 = run({"--text", sentence, "--level", "cet4"});
    EXPECT_EQ(QString::fromUtf8(band4.out), "She wanted to present the present to the committee.");
    const QString beyond = list("beyond.txt", "Abandon the abbreviation.");
    EXPECT_EQ(QString::fromUtf8(run({"--text", beyond, "--level", "cet4"}).out),
              "Abandon the abbreviation [əˌbriːviˈeiʃən].");
    EXPECT_EQ(QString::fromUtf8(run({"--text", beyond, "--level", "cet6"}).out),
              "Abandon the abbreviation.");
    EXPECT_EQ(run({"--batch", file, "--weak-forms"}).status, commandline::kExitUsage);
    EXPECT_EQ(run({"--text", file, "--level", "cet8"}).status, commandline::kExitUsage);
    EXPECT_EQ(run({"--text", file, "--level", "4000"}).status, commandline::kExitUsage);
    EXPECT_EQ(run({"--text", file, "--format", "lines"}).status, commandline::kExitUsage);
    EXPECT_EQ(run({"--batch", file, "--first-only"}).status, commandline::kExitUsage);
    EXPECT_EQ(run({"--text", data.filePath("missing.txt")}).status, commandline::kExitFailed);
}

TEST_F(CommandLineTest, HelpAndWrongArguments) {
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, commandline::kExitOk);
    const QString text = QString::fromUtf8(help.out);
    for (const char* part : {"--batch", "--output", "--format", "lines", "ipa", "rtf", "--guess",
                             "unfound.dat", "标准输出"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }
    const QStringList wrong[] = {
        {"--batch"},
        {"--output", data.filePath("x.rtf")},
        {"--batch", "a.txt", "b.txt"},
        {"--batch", "a.txt", "--frobnicate"},
        {"--batch", "a.txt", "--format", "html"},
        {"--batch", "a.txt", "--format", "ipa", "--format", "rtf"},
        {"--guess"},
        {"--batch", "a.txt", "--accent", "gb"},
        {"--batch", "a.txt", "--accent", "us", "--accent", "uk"},
    };
    for (const QStringList& arguments : wrong) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, commandline::kExitUsage) << arguments.join(' ').toStdString();
        EXPECT_TRUE(outcome.err.contains("--help")) << outcome.err.toStdString();
    }
}

TEST(CommandLineArguments, OnlyTheBatchOptionsLeaveTheWindowsClosed) {
    EXPECT_TRUE(commandline::isCommandLineRun({"voxscribe", "--batch", "a.txt"}));
    EXPECT_TRUE(commandline::isCommandLineRun({"voxscribe", "--batch=a.txt"}));
    EXPECT_TRUE(commandline::isCommandLineRun({"voxscribe", "-h"}));
    EXPECT_TRUE(commandline::isCommandLineRun({"voxscribe", "-o", "x.rtf"}));
    EXPECT_TRUE(commandline::isCommandLineRun({"voxscribe", "--format=ipa"}));
    EXPECT_TRUE(commandline::isCommandLineRun({"voxscribe", "--guess"}));
    EXPECT_FALSE(commandline::isCommandLineRun({"voxscribe"}));
    EXPECT_FALSE(commandline::isCommandLineRun({"voxscribe", "-style", "fusion"}));
    EXPECT_FALSE(commandline::isCommandLineRun({"--batch"}));  // the program's own name
}

}  // namespace
