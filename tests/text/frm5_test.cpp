// The text-annotation window driven as a user drives it: a passage pasted or opened, the reader's
// level chosen, the result saved and read back by a word processor.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <functional>

#include "children.h"
#include "documentbox.h"
#include "files.h"
#include "frm5.h"
#include "layoutcheck.h"
#include "libreoffice.h"
#include "lookupclient.h"
#include "pieces.h"
#include "process.h"
#include "qtprinters.h"
#include "rtfwriter.h"
#include "segments.h"
#include "suggestion.h"
#include "testenv.h"
#include "textwriters.h"
#include "wordlevel.h"

namespace {

using testing_support::Piece;

const QString kArial = QStringLiteral("Arial");
const QString kPhonetic = core::phoneticFont();

// A line as the window writes it: text and transcriptions taking turns, the first turn text.
std::vector<Piece> written(std::initializer_list<QString> turns) {
    return testing_support::inTurns(kArial, kPhonetic, turns);
}

class Frm5Test : public ::testing::Test {
public:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        source = find<QPlainTextEdit>("Text1");
    }

    template <class T = QLabel>
    T* find(const char* name) {
        return testing_support::childOf<T>(window, QString::fromLatin1(name));
    }
    // The passage pasted, as the user pastes it, and the result waited for.
    void paste(const QString& text) {
        pasteOnly(text);
        waitForResult();
    }
    void pasteOnly(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        source->setFocus();
        QTest::keyClick(source, Qt::Key_V, Qt::ControlModifier);
    }
    void waitForResult() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return window.resultIsCurrent(); }, 20000));
    }
    // The RTF of the whole passage annotated at once with options, as the command line writes it.
    QByteArray wholeRtf(const QString& passage, const core::TextOptions& options) {
        core::ClientWords words(client);
        core::TextAnnotator annotator(words, options);
        core::RtfTextWriter writer;
        annotator.annotate(passage, writer);
        return writer.finish();
    }
    QByteArray resultRtf() const { return core::toRtf(*window.documentBox()->document()); }
    QStringList resultParagraphs() const {
        QStringList paragraphs;
        for (QTextBlock block = window.documentBox()->document()->begin(); block.isValid();
             block = block.next()) {
            paragraphs << block.text();
        }
        return paragraphs;
    }
    void chooseLevel(int level, bool wait = true) {
        auto* levels = find<QComboBox>("Combo1");
        levels->setCurrentIndex(levels->findData(level));
        Q_EMIT levels->activated(levels->currentIndex());
        if (wait) {
            waitForResult();
        }
    }
    std::vector<Piece> pieces() const {
        return testing_support::piecesOf(*window.documentBox()->document());
    }

    testing_support::TestEnvironment env;
    core::LookupClient client{env.services};
    text::Frm5 window{env.services, client, nullptr};
    QPlainTextEdit* source = nullptr;
};

TEST_F(Frm5Test, APastedPassageIsWrittenWithEveryWordsTranscription) {
    paste("The old library.\r\n这是 2 cats!");
    // "The" before a vowel says Ti.
    const std::vector<Piece> expected = written({"The [", "Ti", "] old [", "Euld", "] library [",
                                                 "5laibrEri", "].\n这是 2 cats [", "kAts", "]!"});
    EXPECT_EQ(pieces(), expected);
    EXPECT_EQ(find("Label5")->text(),
              "共 4 个单词：标注 4 个（查到 4 个，建议 0 个），没找到 0 个。");
    EXPECT_TRUE(window.documentBox()->document()->isModified());
    EXPECT_TRUE(env.messages.shown.empty());
}

// 美 writes the American transcriptions, which the Unicode copy reads in the classic symbols
// whatever is chosen for the British ones; 英 goes back to the British in the symbols chosen.
TEST_F(Frm5Test, TheAccentChoiceAndTheUnicodeCopy) {
    auto* symbols = find<QComboBox>("Combo2");
    symbols->setCurrentIndex(symbols->findData(int(core::Symbols::Modern)));
    Q_EMIT symbols->activated(symbols->currentIndex());
    paste("quality");
    auto* accent = find<QComboBox>("Accent");
    const auto choose = [&](const char* caption) {
        const int index = accent->findText(QString::fromUtf8(caption));
        accent->setCurrentIndex(index);
        Q_EMIT accent->activated(index);
        waitForResult();
    };
    const auto copied = [&] {
        const std::unique_ptr<QMimeData> copy(window.documentBox()->unicodeIpaCopy());
        return copy->text();
    };
    choose("美");
    EXPECT_EQ(window.documentBox()->toPlainText(), "quality [5kwB:lEti]");
    EXPECT_EQ(copied(), "quality [ˈkwɑːləti]");
    choose("英");
    EXPECT_EQ(copied(), "quality [ˈkwɒlɪti]");
}

// Beyond the 3,000 most frequent words only the rarer ones are annotated, a form of a frequent
// word counting as frequent; with first-only a word is annotated where it first occurs.
TEST_F(Frm5Test, TheReadersLevelAndFirstOnlyChooseTheWordsAnnotated) {
    paste("The children were studying seaweed. Seaweed grows.");
    chooseLevel(3000);
    QString annotated;
    for (const Piece& piece : pieces()) {
        if (piece.family == kPhonetic) {
            annotated += piece.text + u' ';
        }
    }
    EXPECT_EQ(annotated.count(u' '), 2) << annotated.toStdString();  // seaweed twice
    QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);
    waitForResult();
    int transcriptions = 0;
    for (const Piece& piece : pieces()) {
        transcriptions += piece.family == kPhonetic ? 1 : 0;
    }
    EXPECT_EQ(transcriptions, 1);
    EXPECT_TRUE(window.documentBox()->toPlainText().startsWith("The children were studying"));
}

// Each word shows the one form its sentence calls for; "弱读" writes the weak forms; the
// examination bands leave the syllabus words alone.
TEST_F(Frm5Test, EachWordOneFormWeakFormsAndTheExaminationBands) {
    paste("She wanted to present the present to the committee.");
    EXPECT_EQ(window.documentBox()->toPlainText(),
              "She [Fi:] wanted [5wRntid] to [tu:] present [pri5zent] the [TE] present "
              "[5prezEnt] to [tu:] the [TE] committee [kE5miti].");
    auto* weak = find<QCheckBox>("Check3");
    EXPECT_EQ(weak->text(), "弱读");
    QTest::mouseClick(weak, Qt::LeftButton);
    waitForResult();
    EXPECT_EQ(window.documentBox()->toPlainText(),
              "She [Fi] wanted [5wRntid] to [tE] present [pri5zent] the [TE] present "
              "[5prezEnt] to [tE] the [TE] committee [kE5miti].");
    auto* levels = find<QComboBox>("Combo1");
    EXPECT_GE(levels->findText("四级词汇以外"), 0);
    EXPECT_GE(levels->findText("六级词汇以外"), 0);
    chooseLevel(levels->itemData(levels->findText("四级词汇以外")).toInt());
    EXPECT_EQ(window.documentBox()->toPlainText(),
              "She wanted to present the present to the committee.");
}

// A list of known words: neither the words nor their forms are annotated.
TEST_F(Frm5Test, AKnownWordsListLeavesItsWordsAndTheirFormsAlone) {
    paste("Seaweed grows on rocks.");
    env.files.answer(testing_support::writeFile(env.dir.path(), "known.txt", "rock\r\ngrow\r\n"));
    QTest::mouseClick(find("Label4"), Qt::LeftButton);
    waitForResult();
    EXPECT_EQ(find("Label7")->text(), env.dir.path() + "/known.txt");
    const QString result = window.documentBox()->toPlainText();
    EXPECT_TRUE(result.contains("grows on [")) << result.toStdString();
    EXPECT_TRUE(result.contains("rocks.")) << result.toStdString();
    EXPECT_TRUE(result.startsWith("Seaweed [")) << result.toStdString();
}

TEST_F(Frm5Test, OpensAPassageSavedByChineseWindowsAndRefusesOtherFiles) {
    const QString gb18030 = testing_support::writeFile(
        env.dir.path(), "passage.txt", QByteArray("Quality \xd6\xca\xc1\xbf"));  // 质量
    env.files.answer(gb18030);
    QTest::mouseClick(find("Label2"), Qt::LeftButton);
    waitForResult();
    EXPECT_EQ(source->toPlainText(), "Quality 质量");
    EXPECT_EQ(find("Label3")->text(), gb18030);
    EXPECT_TRUE(window.documentBox()->toPlainText().startsWith("Quality ["));

    window.openText(
        testing_support::writeFile(env.dir.path(), "picture.txt", QByteArray("\x89PNG\0\0\0", 7)));
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Critical);
    EXPECT_EQ(source->toPlainText(), "Quality 质量");  // nothing lost
}

// Saved as the other windows save: LibreOffice reads the words in a Latin face and every
// transcription in the phonetic face; the command line writes the same bytes.
TEST_F(Frm5Test, TheSavedResultOpensInAWordProcessorAndEqualsTheCommandLines) {
    testing_support::LibreOffice office;
    ASSERT_TRUE(office.ready()) << office.problem().toStdString();
    paste("Seaweed grows on the rocks.");
    chooseLevel(3000);
    const QString saved = office.dir.filePath("passage.rtf");
    env.files.answer(saved);
    QTest::mouseClick(find("Label12"), Qt::LeftButton);
    ASSERT_EQ(env.files.requests.size(), 1u);
    // The dialog offers both kinds of document the word processor reads.
    const QStringList offered = env.files.requests[0].filter.split(u'|');
    EXPECT_TRUE(offered.contains("*.doc")) << offered.join(u'|').toStdString();
    EXPECT_TRUE(offered.contains("*.rtf")) << offered.join(u'|').toStdString();
    EXPECT_FALSE(window.documentBox()->document()->isModified());

    QString log;
    const testing_support::FlatOdt odt = office.read(saved, &log);
    ASSERT_EQ(odt.paragraphs().size(), 1) << log.toStdString();
    const testing_support::Paragraph& got = odt.paragraphs()[0];
    const QString seaweed = client.lookup("seaweed").transcription;
    EXPECT_EQ(got.text, "Seaweed [" + seaweed + "] grows on the rocks.");
    for (qsizetype i = 0; i < got.text.size(); ++i) {
        const bool code = i >= 9 && i < 9 + seaweed.size();
        EXPECT_EQ(got.formats[i].family, code ? kPhonetic : kArial) << i;
    }

    testing_support::ProgramCopy program;
    ASSERT_TRUE(program.ready()) << program.error();
    const QString passage =
        testing_support::writeFile(office.dir.path(), "passage.txt", "Seaweed grows on the rocks.");
    const QString written = office.dir.filePath("command.rtf");
    const testing_support::ProcessOutcome outcome =
        program.run({"--text", passage, "--level", "3000", "-o", written});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(testing_support::readBytes(written), testing_support::readBytes(saved));
}

// A passage of many paragraphs, long enough to be annotated in several parts: every tenth
// paragraph names its number, the others repeat; "seaweed" only in paragraph 200.
QString longPassage(int paragraphs) {
    QStringList lines;
    for (int i = 0; i < paragraphs; ++i) {
        lines << (i == 200 ? QStringLiteral("A seaweed forest grows in the bay.")
                  : i % 10 ? QStringLiteral("The children were studying in the old library, and "
                                            "the teacher read them a story about a quiet river.")
                           : QStringLiteral("Chapter %1 begins here.").arg(i));
    }
    return lines.join(u'\n');
}

// Whatever the user does while a long passage is still being annotated, the fill starts again
// cleanly and the result is the whole passage annotated with the options as they are then.
struct Interruption {
    const char* name;
    std::function<void(Frm5Test&)> act;
    std::function<core::TextOptions(const core::KnownWords&)> options;
};

void PrintTo(const Interruption& interruption, std::ostream* out) {
    *out << interruption.name;
}

class Frm5Interrupted : public Frm5Test, public ::testing::WithParamInterface<Interruption> {};

TEST_P(Frm5Interrupted, TheFillStartsAgainAndTheResultIsTheWholePassage) {
    const QString passage = longPassage(3000);
    pasteOnly(passage);
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return window.documentBox()->document()->blockCount() > 1; }, 5000));
    ASSERT_FALSE(window.resultIsCurrent());  // a fill running
    const QString known =
        testing_support::writeFile(env.dir.path(), "known.txt", "child\r\nstudy\r\nbay\r\n");
    GetParam().act(*this);
    waitForResult();
    QString error;
    const core::KnownWords knownWords = core::KnownWords::read(known, &error);
    const core::TextOptions options = GetParam().options(knownWords);
    const QByteArray expected = wholeRtf(passage, options);
    EXPECT_EQ(resultRtf(), expected);
    if (!env.files.requests.empty() && env.files.requests[0].save) {
        // Saved only as a whole, and only then marked saved.
        EXPECT_EQ(testing_support::readBytes(env.file("whole.rtf")), expected);
        EXPECT_FALSE(window.documentBox()->document()->isModified());
    }
    core::ClientWords words(client);
    EXPECT_EQ(find("Label5")->text(),
              core::countsSummary(testing_support::annotateText(passage, words, options).counts));
}

core::TextOptions everyWord(const core::KnownWords&) {
    return {};
}

core::TextOptions knownOnly(const core::KnownWords& known) {
    core::TextOptions options;
    options.known = &known;
    return options;
}

// Answers the file dialog with the list of known words and clicks the command that asks for it.
void chooseKnownList(Frm5Test& t) {
    t.env.files.answer(t.env.dir.path() + "/known.txt");
    QTest::mouseClick(t.find("Label4"), Qt::LeftButton);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, Frm5Interrupted,
    ::testing::Values(Interruption{"Level", [](Frm5Test& t) { t.chooseLevel(3000, false); },
                                   [](const core::KnownWords&) { return core::TextOptions{3000}; }},
                      Interruption{"KnownWordsList", chooseKnownList, knownOnly},
                      Interruption{"FirstOnly",
                                   [](Frm5Test& t) {
                                       QTest::mouseClick(t.find<QCheckBox>("Check1"),
                                                         Qt::LeftButton);
                                   },
                                   [](const core::KnownWords&) {
                                       core::TextOptions options;
                                       options.firstOnly = true;
                                       return options;
                                   }},
                      Interruption{"LevelAndListAtOnce",
                                   [](Frm5Test& t) {
                                       t.chooseLevel(2000, false);
                                       chooseKnownList(t);
                                   },
                                   knownOnly},
                      Interruption{"Symbols",
                                   [](Frm5Test& t) {
                                       auto* symbols = t.find<QComboBox>("Combo2");
                                       symbols->setCurrentIndex(1);
                                       Q_EMIT symbols->activated(1);
                                   },
                                   everyWord},
                      Interruption{"Accent",
                                   [](Frm5Test& t) {
                                       auto* accent = t.find<QComboBox>("Accent");
                                       const int both = accent->findText("英美");
                                       accent->setCurrentIndex(both);
                                       Q_EMIT accent->activated(both);
                                   },
                                   [](const core::KnownWords&) {
                                       core::TextOptions options;
                                       options.accent = core::Accent::Both;
                                       return options;
                                   }},
                      Interruption{"Save",
                                   [](Frm5Test& t) {
                                       t.env.files.answer(t.env.file("whole.rtf"));
                                       QTest::mouseClick(t.find("Label12"), Qt::LeftButton);
                                   },
                                   everyWord}),
    [](const auto& info) { return std::string(info.param.name); });

// A keystroke annotates again only the paragraph it touched, and with first-only the paragraph
// that held the word's first occurrence until then; the reader's place stays.
class Frm5Keystroke : public Frm5Test, public ::testing::WithParamInterface<bool> {};

TEST_P(Frm5Keystroke, ChangesOnlyTheParagraphsItTouches) {
    const bool firstOnly = GetParam();
    if (firstOnly) {
        QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);
    }
    paste(longPassage(400));
    const QStringList before = resultParagraphs();
    QScrollBar* scroll = window.documentBox()->verticalScrollBar();
    scroll->setValue(scroll->maximum() / 2);
    const int place = scroll->value();

    QTextCursor caret(source->document()->findBlockByNumber(150));
    caret.movePosition(QTextCursor::EndOfBlock);
    source->setTextCursor(caret);
    QTest::keyClicks(source, " seaweed");
    waitForResult();

    const QStringList after = resultParagraphs();
    ASSERT_EQ(after.size(), before.size());
    QList<int> changed;
    for (int i = 0; i < after.size(); ++i) {
        if (after[i] != before[i]) {
            changed << i;
        }
    }
    EXPECT_EQ(changed, firstOnly ? QList<int>({150, 200}) : QList<int>({150}));
    const QString seaweed = client.lookup("seaweed").transcription;
    EXPECT_TRUE(after[150].endsWith(" seaweed [" + seaweed + "]")) << after[150].toStdString();
    EXPECT_EQ(scroll->value(), place);
    core::TextOptions options;
    options.firstOnly = firstOnly;
    EXPECT_EQ(resultRtf(), wholeRtf(source->toPlainText(), options));
}

INSTANTIATE_TEST_SUITE_P(Options, Frm5Keystroke, ::testing::Values(false, true),
                         [](const auto& info) {
                             return std::string(info.param ? "FirstOnly" : "EveryWord");
                         });

// A reviewer's picture of the window with a passage and its result, in which no control covers
// another and every caption fits; VOXSCRIBE_SNAPSHOT_DIR names the folder it goes to.
TEST_F(Frm5Test, RendersASnapshot) {
    QFontDatabase::addApplicationFont(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf"));
    paste("The children were studying in the library.\nA seaweed forest grows in the bay.");
    chooseLevel(2000);
    const QString path = layout_check::snapshotPath("Frm5.png", env.dir.path());
    ASSERT_TRUE(window.grab().toImage().save(path));
    EXPECT_EQ(layout_check::layoutProblems(window), std::vector<std::string>{});
}

}  // namespace
