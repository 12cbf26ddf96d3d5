// Batch annotation of long word lists: the engine alone, the window, the command line to
// standard output and to RTF, and espeak-ng (`espeak-ng -q --ipa -v en-gb -f LIST`) on the same
// list for comparison. Prints words per second by the clock and by CPU time, the ratios to
// espeak-ng, the window's longest gap between repaints and the command line's peak memory.
// Processes started here are measured by their own CPU time (getrusage of the children), which
// stays meaningful on a machine that other work keeps busy.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>
#include <map>

#include "batchengine.h"
#include "benchsupport.h"
#include "documentbox.h"
#include "frm4.h"
#include "lookupclient.h"
#include "misslog.h"

namespace {

constexpr char kRate[] = "words/s";
constexpr char kCpuRate[] = "words/cpu_s";

// cpu: the CPU seconds the iterations took, of this process or of the children they ran.
void countWords(benchmark::State& state, qsizetype words, double cpu) {
    state.counters[kRate] =
        benchmark::Counter(double(words) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["words"] = double(words);
    if (cpu > 0) {
        state.counters[kCpuRate] = double(words) * double(state.iterations()) / cpu;
    }
}

class CountingSink final : public core::BatchSink {
public:
    void writeLine(const QString& line) override { bytes += line.size(); }
    qsizetype bytes = 0;
};

// Lookups and miss log alone: one component object and one call per word.
void BM_Engine(benchmark::State& state) {
    bench::Environment env;
    const QStringList words = bench::frequencyWords(state.range(0));
    core::LookupClient client(env.services);
    core::RunSummary summary;
    const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        core::BatchEngine engine(
            client, core::MissLog(env.services.folder.writableFile(core::MissLog::fileName())));
        CountingSink sink;
        summary = engine.run(words, sink);
        benchmark::DoNotOptimize(sink.bytes);
    }
    countWords(state, words.size(), bench::cpuSeconds(RUSAGE_SELF) - cpuBefore);
    state.counters["found"] = double(summary.found);
}

// Measures the gaps between the repaints of a widget.
class PaintGaps final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && clock_.isValid()) {
            const qint64 gap = clock_.restart();
            if (gap > longest) {
                longest = gap;
                longestEndedAt = since_.elapsed();
            }
        }
        return QObject::eventFilter(watched, event);
    }
    void start() {
        clock_.start();
        since_.start();
    }
    qint64 longest = 0;
    qint64 longestEndedAt = 0;  // ms after the start

private:
    QElapsedTimer clock_;
    QElapsedTimer since_;
};

// The window as the user runs it: read the file, progress, events per word, the lines into the
// document. Prints the longest time the document went without a repaint.
void BM_Window(benchmark::State& state) {
    bench::Environment env;
    const QString path = bench::writeFrequencyList(env.dir, state.range(0));
    core::LookupClient client(env.services);
    double cpu = 0;
    qint64 longestGap = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<batch::Frm4>(env.services, client);
        window->show();
        QCoreApplication::processEvents();
        PaintGaps gaps;
        window->documentBox()->viewport()->installEventFilter(&gaps);
        gaps.start();
        const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
        state.ResumeTiming();
        window->annotateFile(path);
        state.PauseTiming();
        cpu += bench::cpuSeconds(RUSAGE_SELF) - cpuBefore;
        longestGap = qMax(longestGap, gaps.longest);
        std::printf(
            "window, %lld words: longest gap between repaints %lld ms, ending %lld ms "
            "after the click\n",
            static_cast<long long>(state.range(0)), static_cast<long long>(gaps.longest),
            static_cast<long long>(gaps.longestEndedAt));
        window.reset();
        state.ResumeTiming();
    }
    countWords(state, state.range(0), cpu);
    state.counters["longest_paint_gap_ms"] = double(longestGap);
}

// The whole program from the command line, process start included: the batch lines to standard
// output (range 1 = 0) or as an RTF file (range 1 = 1). The program runs from a copy, so that its
// miss log stays in the benchmark's folder.
void BM_CommandLine(benchmark::State& state) {
    bench::Environment env;
    const QString path = bench::writeFrequencyList(env.dir, state.range(0));
    const bool rtf = state.range(1) == 1;
    for (const char* name : {"voxscribe", "libsonabet.so"}) {
        QFile::copy(testing_support::buildProgramFolder() + u'/' + QLatin1String(name),
                    env.dir.filePath(QLatin1String(name)));
    }
    QStringList arguments{QStringLiteral("--batch"), path};
    if (rtf) {
        arguments << QStringLiteral("--output") << env.dir.filePath(QStringLiteral("out.rtf"));
    }
    // The peak memory comes from time(1): a child's own figure would count the memory of this
    // process that it was forked from.
    const QString time = QStandardPaths::findExecutable(QStringLiteral("time"), {"/usr/bin"});
    const QString peakFile = env.dir.filePath(QStringLiteral("peak.txt"));
    QString program = env.dir.filePath(QStringLiteral("voxscribe"));
    if (!time.isEmpty()) {
        arguments = QStringList{QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"),
                                peakFile, program} +
                    arguments;
        program = time;
    }
    const double cpuBefore = bench::cpuSeconds(RUSAGE_CHILDREN);
    double peakKiB = 0;
    for (auto _ : state) {
        const QByteArray failure = bench::runToEnd(program, arguments);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.constData());
            return;
        }
        QFile peak(peakFile);
        if (peak.open(QIODevice::ReadOnly)) {
            peakKiB = qMax(peakKiB, peak.readAll().trimmed().toDouble());
        }
    }
    countWords(state, state.range(0), bench::cpuSeconds(RUSAGE_CHILDREN) - cpuBefore);
    if (peakKiB > 0) {
        state.counters["peak_MiB"] = peakKiB / 1024.0;
    }
}

// For comparison: espeak-ng turning the same list into IPA (Debian package espeak-ng).
void BM_EspeakNg(benchmark::State& state) {
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty()) {
        state.SkipWithError("espeak-ng is not installed (apt-get install espeak-ng)");
        return;
    }
    QTemporaryDir dir;
    const QString path = bench::writeFrequencyList(dir, state.range(0));
    const double cpuBefore = bench::cpuSeconds(RUSAGE_CHILDREN);
    for (auto _ : state) {
        const QByteArray failure = bench::runToEnd(
            espeak, {QStringLiteral("-q"), QStringLiteral("--ipa"), QStringLiteral("-v"),
                     QStringLiteral("en-gb"), QStringLiteral("-f"), path});
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.constData());
            return;
        }
    }
    countWords(state, state.range(0), bench::cpuSeconds(RUSAGE_CHILDREN) - cpuBefore);
}

BENCHMARK(BM_Engine)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Window)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CommandLine)
    ->ArgNames({"words", "rtf"})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({200000, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// espeak-ng takes tens of seconds for 100,000 words; it runs once, on 100,000 words, and the
// 200,000-word figure is compared with its rate.
BENCHMARK(BM_EspeakNg)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The console report, then how many times faster than espeak-ng each way is on the same list.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                continue;
            }
            for (const char* counter : {kRate, kCpuRate}) {
                if (const auto rate = run.counters.find(counter); rate != run.counters.end()) {
                    rates_[run.benchmark_name() + " " + counter] = rate->second.value;
                }
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double espeak = rateOf("BM_EspeakNg/", kRate);
        const double espeakCpu = rateOf("BM_EspeakNg/", kCpuRate);
        if (espeak <= 0) {
            std::printf("no espeak-ng figures to compare with\n");
            return;
        }
        std::printf("espeak-ng: %.0f words/s by the clock, %.0f words per CPU second\n", espeak,
                    espeakCpu);
        for (const auto& [name, rate] : rates_) {
            if (name.rfind("BM_EspeakNg", 0) == 0) {
                continue;
            }
            const bool cpu =
                name.size() > std::strlen(kCpuRate) &&
                name.compare(name.size() - std::strlen(kCpuRate), std::string::npos, kCpuRate) == 0;
            std::printf("%-40s %10.0f: %6.1f times espeak-ng\n", name.c_str(), rate,
                        rate / (cpu ? espeakCpu : espeak));
        }
    }

private:
    // The rate of the run whose name starts with prefix; 0 when there is none.
    double rateOf(const std::string& prefix, const char* counter) const {
        for (const auto& [name, rate] : rates_) {
            if (name.rfind(prefix, 0) == 0 && name.size() > std::strlen(counter) &&
                name.compare(name.size() - std::strlen(counter), std::string::npos, counter) == 0) {
                return rate;
            }
        }
        return 0;
    }
    std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    bench::Application app(argc, argv);
    RatioReporter reporter;
    return bench::runBenchmarks(argc, argv, &reporter);
}
