// Batch annotation of long word lists: the engine alone, the window, the command line, and
// espeak-ng on the same list for comparison. Prints words per second and the ratios.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

#include "batchengine.h"
#include "componentruntime.h"
#include "dialogs.h"
#include "frm4.h"
#include "ipa.h"
#include "lookupclient.h"
#include "misslog.h"
#include "programfolder.h"
#include "services.h"
#include "wordlist.h"

namespace {

constexpr char kRate[] = "words/s";

// The first count words of the frequency list, the list repeated as often as needed.
QStringList wordList(qsizetype count) {
    QStringList source;
    QFile file(QStringLiteral(VOXSCRIBE_SHARED_DATA_DIR "/wordlists/frequency-top-20000.txt"));
    if (file.open(QIODevice::ReadOnly)) {
        source = batch::splitWordLines(QString::fromUtf8(file.readAll()));
    }
    if (source.isEmpty()) {
        source = {"quality", "about", "zebra", "xyzzy", "New York", "the"};
    }
    QStringList words;
    words.reserve(count);
    while (words.size() < count) {
        words << source[words.size() % source.size()];
    }
    return words;
}

QString writeList(const QTemporaryDir& dir, qsizetype count) {
    const QString path = dir.filePath(QStringLiteral("words-%1.txt").arg(count));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(wordList(count).join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    }
    return path;
}

// A program folder of the benchmark's own, with the services the windows get.
struct Environment {
    Environment() : runtime(QStringLiteral(VOXSCRIBE_PROGRAM_DIR)) {
        runtime.addManifest(QString::fromLatin1(sonabet::kProgId), sonabet::kClsidIpa,
                            QStringLiteral("libsonabet.so"));
    }
    QTemporaryDir dir;
    platform::ComponentRuntime runtime;
    platform::QtMessageBoxes messages;
    platform::QtFileDialogs files;
    platform::DesktopOpener shell;
    platform::Services services{platform::ProgramFolder::at(dir.path()), runtime, messages, files,
                                shell};
};

void countWords(benchmark::State& state, qsizetype words) {
    state.counters[kRate] =
        benchmark::Counter(double(words) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["words"] = double(words);
}

class CountingSink final : public batch::BatchSink {
public:
    void writeLine(const QString& line) override { bytes += line.size(); }
    qsizetype bytes = 0;
};

// Lookups and miss log alone: one component object and one call per word.
void BM_Engine(benchmark::State& state) {
    Environment env;
    const QStringList words = wordList(state.range(0));
    smart::LookupClient client(env.services);
    batch::RunSummary summary;
    for (auto _ : state) {
        batch::BatchEngine engine(
            client, smart::MissLog(env.services.folder.writableFile(smart::MissLog::fileName())));
        CountingSink sink;
        summary = engine.run(words, sink);
        benchmark::DoNotOptimize(sink.bytes);
    }
    countWords(state, words.size());
    state.counters["found"] = double(summary.found);
}

// The window as the user runs it: read the file, status line, events per word, each line staged
// through the clipboard into the document.
void BM_Window(benchmark::State& state) {
    Environment env;
    const QString path = writeList(env.dir, state.range(0));
    smart::LookupClient client(env.services);
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<batch::Frm4>(env.services, client);
        window->show();
        state.ResumeTiming();
        window->annotateFile(path);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    countWords(state, state.range(0));
}

// The whole program from the command line, process start and RTF file included. The program
// runs from a copy, so that its miss log stays in the benchmark's folder.
void BM_CommandLine(benchmark::State& state) {
    Environment env;
    const QString path = writeList(env.dir, state.range(0));
    for (const char* name : {"voxscribe", "libsonabet.so"}) {
        QFile::copy(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/") + QLatin1String(name),
                    env.dir.filePath(QLatin1String(name)));
    }
    for (auto _ : state) {
        QProcess process;
        process.start(env.dir.filePath(QStringLiteral("voxscribe")),
                      {QStringLiteral("--batch"), path, QStringLiteral("--output"),
                       env.dir.filePath(QStringLiteral("out.rtf"))});
        if (!process.waitForFinished(-1) || process.exitCode() != 0) {
            state.SkipWithError(process.readAllStandardError().constData());
            return;
        }
    }
    countWords(state, state.range(0));
}

// For comparison: espeak-ng turning the same list into IPA (Debian package espeak-ng).
void BM_EspeakNg(benchmark::State& state) {
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty()) {
        state.SkipWithError("espeak-ng is not installed (apt-get install espeak-ng)");
        return;
    }
    QTemporaryDir dir;
    const QString path = writeList(dir, state.range(0));
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(espeak,
                      {QStringLiteral("-q"), QStringLiteral("--ipa"), QStringLiteral("-f"), path});
        if (!process.waitForFinished(-1) || process.exitCode() != 0) {
            state.SkipWithError("espeak-ng failed");
            return;
        }
    }
    countWords(state, state.range(0));
}

BENCHMARK(BM_Engine)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Window)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_CommandLine)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_EspeakNg)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The console report, then how many times faster than espeak-ng each way is on the same list.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find(kRate);
            if (rate != run.counters.end() && !run.error_occurred) {
                rates_[run.benchmark_name()] = rate->second.value;
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* size : {"10000", "100000"}) {
            const double espeak = rateOf(std::string("BM_EspeakNg/") + size + "/");
            if (espeak <= 0) {
                continue;
            }
            for (const char* way : {"BM_Engine", "BM_Window", "BM_CommandLine"}) {
                const double rate = rateOf(std::string(way) + "/" + size + "/");
                if (rate > 0) {
                    std::printf("%s, %s words: %.0f words/s, %.2f times espeak-ng (%.0f words/s)\n",
                                way, size, rate, rate / espeak, espeak);
                }
            }
        }
    }

private:
    // The rate of the run whose name starts with prefix; 0 when there is none.
    double rateOf(const std::string& prefix) const {
        for (const auto& [name, rate] : rates_) {
            if (name.rfind(prefix, 0) == 0) {
                return rate;
            }
        }
        return 0;
    }
    std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
