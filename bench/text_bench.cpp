// Annotating a whole text: a 1,000,000-word text built from the frequency list annotated with
// Unicode IPA (every word, through the real lookup client and dictionary), the sentences of the
// heteronym cases (the share chosen right, and the speed with weak forms off and on), the 10,000
// words a window shows (annotation, document runs and the document itself), and espeak-ng
// (`espeak-ng -q --ipa -v en-gb -f FILE`) turning a sample of the same text into IPA, for
// comparison. Prints words per second by the clock and by CPU time, and how many times
// espeak-ng's rate each is.
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTimer>
#include <cstdio>
#include <map>

#include "benchsupport.h"
#include "contextcases.h"
#include "documentbox.h"
#include "frm5.h"
#include "lookupclient.h"
#include "segments.h"
#include "textannotator.h"
#include "textwriters.h"
#include "wordindex.h"

namespace {

constexpr qsizetype kMillion = 1000000;

// The dictionary through the program's own lookup client, counting the lookups.
class CountingWords final : public core::WordSource {
public:
    explicit CountingWords(platform::Services& services) : client_(services), words_(client_) {}
    core::WordTranscriptions transcriptions(const QString& key) override {
        ++lookups;
        return words_.transcriptions(key);
    }
    qsizetype lookups = 0;

private:
    core::LookupClient client_;
    core::ClientWords words_;
};

// count words of running text from the frequency list: sentences of twelve words with a capital
// and a full stop, a comma now and then, a paragraph every hundred words.
QString runningText(qsizetype count) {
    const QStringList words = bench::frequencyWords(count);
    QString text;
    text.reserve(count * 8);
    for (qsizetype i = 0; i < words.size(); ++i) {
        QString word = words[i];
        if (i % 12 == 0) {
            word[0] = word[0].toUpper();
        }
        text += word;
        if (i + 1 == words.size() || i % 12 == 11) {
            text += u'.';
        } else if (i % 12 == 5) {
            text += u',';
        }
        text += i % 100 == 99 ? QStringLiteral("\r\n") : QStringLiteral(" ");
    }
    return text;
}

const QString& millionWords() {
    static const QString text = runningText(kMillion);
    return text;
}

class Discard final : public core::ByteSink {
public:
    void write(QByteArrayView bytes) override { total += bytes.size(); }
    qsizetype total = 0;
};

// The command line's work for --format ipa: every word annotated, the text with its IPA written
// out as it goes. A fresh annotator each time, so every distinct word is looked up through the
// client again. range(0): the reader's level (0 every word); range(1): 1 for the modern symbols.
void annotateIpa(benchmark::State& state, core::Accent accent) {
    bench::Environment env;
    const QString& text = millionWords();
    core::TextOptions options;
    options.level = int(state.range(0));
    options.accent = accent;
    const core::Symbols symbols =
        state.range(1) == 1 ? core::Symbols::Modern : core::Symbols::Classic;
    CountingWords words(env.services);
    core::TextCounts counts;
    qsizetype bytes = 0;
    const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        Discard out;
        core::IpaTextWriter writer(out, symbols);
        counts = core::TextAnnotator(words, options).annotate(text, writer);
        writer.finish();
        bytes = out.total;
    }
    bench::countWords(state, counts.words, bench::cpuSeconds(RUSAGE_SELF) - cpuBefore);
    bench::setCounters(state,
                       {{"annotated", double(counts.annotated)},
                        {"lookups_per_run", double(words.lookups) / double(state.iterations())},
                        {"MiB_out", double(bytes) / (1024.0 * 1024.0)}});
}

void BM_AnnotateIpa(benchmark::State& state) {
    annotateIpa(state, core::Accent::British);
}

// The same in each accent: range(2) 0 British, 1 American, 2 both.
void BM_AnnotateIpaAccent(benchmark::State& state) {
    annotateIpa(state, core::Accent(state.range(2)));
}

// The sentences of the context cases (contextcases.h) through the real dictionary: prints the
// share of the cases whose word shows its right form, for the cases tuned on and for the held-out
// ones, and how many words show two forms; then the speed of annotating those sentences, rich in
// heteronyms, repeated to a million words, with the IPA written out. range(0): 1 for weak forms.
void BM_ContextSentences(benchmark::State& state) {
    bench::Environment env;
    core::LookupClient client(env.services);
    core::ClientWords words(client);
    core::TextOptions options;
    options.weakForms = state.range(0) == 1;
    const auto share = [&](const auto& cases, const char* name) {
        int right = 0;
        int twoForms = 0;
        QString sentences;
        for (const ContextCase& c : cases) {
            // The cases expect the citation forms ("to" tu: before a consonant).
            const ContextChoice choice = chooseInContext(c, words);
            right += choice.shown == QString::fromUtf8(c.form) ? 1 : 0;
            twoForms += int(choice.twoForms.size());
            sentences += choice.sentence + u' ';
        }
        if (!options.weakForms) {
            std::printf("%s: %d of %zu chosen right (%.1f%%), %d words with two forms\n", name,
                        right, std::size(cases), 100.0 * right / double(std::size(cases)),
                        twoForms);
        }
        return sentences;
    };
    QString passage = share(kContextCases, "context cases") + share(kHeldOutCases, "held out");
    const qsizetype perPassage =
        testing_support::annotateText(passage, words, options).counts.words;
    QString text;
    for (qsizetype n = 0; n < kMillion; n += perPassage) {
        text += passage;
    }
    core::TextCounts counts;
    const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        Discard out;
        core::IpaTextWriter writer(out, core::Symbols::Classic);
        counts = core::TextAnnotator(words, options).annotate(text, writer);
        writer.finish();
    }
    bench::countWords(state, counts.words, bench::cpuSeconds(RUSAGE_SELF) - cpuBefore);
}

// What a window does with 10,000 words after the last change: annotate them with a fresh
// annotator, every lookup through the client (the first 10,000 words of the frequency list are
// nearly all distinct, so this is the most lookups such a text can need). range(0) = 0: into
// segments and document runs; 1: straight into a shown document box, laid out and painted.
// Prints the longest run in milliseconds.
void BM_TenThousandWords(benchmark::State& state) {
    bench::Environment env;
    const QString text = runningText(10000);
    const bool document = state.range(0) == 1;
    double longest = 0;
    const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        CountingWords words(env.services);
        core::TextAnnotator annotator(words, {});
        if (document) {
            output::DocumentBox box;
            box.setDefaultFormat(core::latinFont(), 12);
            {
                core::DocumentTextWriter writer{QTextCursor(box.document())};
                annotator.annotate(text, writer);
            }
            box.show();
            QCoreApplication::processEvents();
            benchmark::DoNotOptimize(box.document()->characterCount());
        } else {
            const testing_support::TextAnnotation annotation =
                testing_support::annotateText(text, words, {});
            QList<core::Run> runs;
            for (const testing_support::TextSegment& segment : annotation.segments) {
                if (!segment.isWord) {
                    runs.push_back(core::betweenRun(segment.text));
                    continue;
                }
                runs += core::wordRuns(
                    {segment.text, segment.gloss, segment.codes, 0, core::Accent::British, {}});
            }
            benchmark::DoNotOptimize(runs.size());
        }
        longest = qMax(longest, double(clock.nsecsElapsed()) / 1e6);
    }
    bench::countWords(state, 10000, bench::cpuSeconds(RUSAGE_SELF) - cpuBefore);
    state.counters["longest_ms"] = longest;
    std::printf("10,000 words%s: longest run %.1f ms\n",
                document ? " into a shown document box" : " into segments and runs", longest);
}

// The text-annotation window: a passage of range(0) words put in at once (a paste), the time until
// the first part of the result (a screen and more) and the whole result show, the wait after the
// last change included; the longest stretch in which the window took no events (typing), watched
// by a timer due every 5 ms; and the resident set once the result is whole.
void BM_WindowAfterLastChange(benchmark::State& state) {
    bench::Environment env;
    core::LookupClient client(env.services);
    const QString text = runningText(state.range(0));
    double longest = 0;
    double longestBlock = 0;
    double firstScreen = 0;
    double resident = 0;
    for (auto _ : state) {
        text::Frm5 window(env.services, client, nullptr);
        window.show();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        QElapsedTimer sinceTick;
        double block = 0;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            block = qMax(block, double(sinceTick.nsecsElapsed()) / 1e6);
            sinceTick.restart();
        });
        bool shown = false;
        QObject::connect(&window, &text::Frm5::resultShown, [&] { shown = true; });
        double first = -1;
        QObject::connect(window.documentBox()->document(), &QTextDocument::contentsChanged, [&] {
            if (first < 0) {
                first = double(clock.nsecsElapsed()) / 1e6;
            }
        });
        clock.start();
        window.sourceDocument()->setPlainText(text);
        sinceTick.start();
        ticks.start(5);
        while (!shown) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        longest = qMax(longest, double(clock.nsecsElapsed()) / 1e6);
        // The layout that follows the last part belongs to the paste as well.
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        longestBlock = qMax(longestBlock, block);
        firstScreen = qMax(firstScreen, first);
        resident = qMax(resident, bench::statusMiB("VmRSS:"));
    }
    bench::report(state, std::to_string(state.range(0)) + " words in the window",
                  {{"first_screen_ms", firstScreen, "first screen after %.0f ms"},
                   {"result_ms", longest, "result after %.0f ms"},
                   {"longest_block_ms", longestBlock, "events waited at most %.0f ms"},
                   {"rss_MiB", resident, "%.0f MiB resident"}});
}

// One keystroke in the middle of a passage of range(0) words whose result is shown: the time
// until the result follows it again, the short wait for more keys included.
void BM_WindowKeystroke(benchmark::State& state) {
    bench::Environment env;
    core::LookupClient client(env.services);
    text::Frm5 window(env.services, client, nullptr);
    window.show();
    bool shown = false;
    QObject::connect(&window, &text::Frm5::resultShown, [&] { shown = true; });
    window.sourceDocument()->setPlainText(runningText(state.range(0)));
    while (!shown) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    // What the paste leaves to lay out belongs to the paste.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QTextDocument* passage = window.sourceDocument();
    const int middle = passage->blockCount() / 2;
    double longest = 0;
    int key = 0;
    for (auto _ : state) {
        shown = false;
        QTextCursor caret(passage->findBlockByNumber(middle));
        caret.movePosition(QTextCursor::EndOfBlock);
        QElapsedTimer clock;
        clock.start();
        caret.insertText(QString(QChar(u'a' + key++ % 26)));
        while (!shown) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        longest = qMax(longest, double(clock.nsecsElapsed()) / 1e6);
        if (qEnvironmentVariableIsSet("VOXSCRIBE_BENCH_EACH")) {
            std::printf("%.1f\n", double(clock.nsecsElapsed()) / 1e6);
        }
    }
    state.counters["keystroke_ms"] = longest;
    std::printf("a keystroke in %lld words: result after at most %.1f ms\n",
                static_cast<long long>(state.range(0)), longest);
}

// For comparison: espeak-ng turning the first range(0) words of the same text into IPA.
void BM_EspeakNg(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(runningText(state.range(0)).toUtf8()) < 0) {
        state.SkipWithError("the sample could not be written");
        return;
    }
    file.close();
    bench::espeakIpa(state, path, state.range(0));
}

// The annotator's index of distinct words beside QHash, over the words of a running text of
// 100,000: what finding a word without making a string of each occurrence saves. range(0) = 0:
// the index; 1: QHash<QString, int>.
void BM_WordIndex(benchmark::State& state) {
    const QString text = runningText(100000);
    const QList<QStringView> words = QStringView(text).split(u' ', Qt::SkipEmptyParts);
    const bool qhash = state.range(0) == 1;
    for (auto _ : state) {
        int distinct = 0;
        if (qhash) {
            QHash<QString, int> index;
            for (const QStringView word : words) {
                QString key = word.toString();
                if (!index.contains(key)) {
                    index.insert(std::move(key), distinct++);
                }
            }
        } else {
            core::WordIndex index;
            std::vector<QStringView> spellings;
            const auto spelling = [&spellings](int number) { return spellings[size_t(number)]; };
            for (const QStringView word : words) {
                const size_t hash = core::WordIndex::hashOf(word);
                if (index.find(word, hash, spelling) < 0) {
                    spellings.push_back(word);
                    index.add(hash);
                    ++distinct;
                }
            }
        }
        benchmark::DoNotOptimize(distinct);
    }
    state.counters["words"] = double(words.size());
}

[[maybe_unused]] const bool registered = bench::registerWallClockRuns({
    {"BM_AnnotateIpa", BM_AnnotateIpa, {"level", "modern"}, {{0, 0}, {0, 1}, {3000, 0}}, 3},
    {"BM_AnnotateIpaAccent",
     BM_AnnotateIpaAccent,
     {"level", "modern", "accent"},
     {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}},
     2},
    {"BM_ContextSentences", BM_ContextSentences, {"weak"}, {{0}, {1}}, 3},
    {"BM_TenThousandWords", BM_TenThousandWords, {"document"}, {{0}, {1}}, 5},
    {"BM_WindowAfterLastChange", BM_WindowAfterLastChange, {"words"}, {{10000}, {100000}}, 3},
    {"BM_WindowKeystroke", BM_WindowKeystroke, {"words"}, {{100000}}, 20},
});
BENCHMARK(BM_WordIndex)->ArgNames({"qhash"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
// espeak-ng reads some thousands of words a second; a sample of 20,000 words gives its rate.
BENCHMARK(BM_EspeakNg)->Arg(20000)->Iterations(1)->Apply(bench::wallMilliseconds);

}  // namespace

int main(int argc, char** argv) {
    return bench::runWindowsAgainstEspeak(argc, argv);
}
