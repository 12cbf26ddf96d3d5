// Batch annotation of long word lists: the engine alone, the window, the command line to
// standard output and to RTF, and espeak-ng (`espeak-ng -q --ipa -v en-gb -f LIST`) on the same
// list for comparison. Prints words per second by the clock and by CPU time, the ratios to
// espeak-ng, the window's longest gap between repaints and the command line's peak memory.
// Processes started here are measured by their own CPU time (getrusage of the children), which
// stays meaningful on a machine that other work keeps busy.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

#include "batchengine.h"
#include "benchsupport.h"
#include "documentbox.h"
#include "frm4.h"
#include "lookupclient.h"
#include "misslog.h"

namespace {

// cpu: the CPU seconds the iterations took, of this process or of the children they ran.

class CountingSink final : public core::BatchSink {
public:
    void writeLine(const QString& line) override { bytes += line.size(); }
    qsizetype bytes = 0;
};

// Lookups and miss log alone, in accent: one component object and one call per word.
void runEngine(benchmark::State& state, std::optional<core::Accent> accent) {
    bench::Environment env;
    const QStringList words = bench::frequencyWords(state.range(0));
    core::LookupClient client(env.services);
    core::RunSummary summary;
    const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        core::BatchEngine engine(
            client, core::MissLog(env.services.folder.writableFile(core::MissLog::fileName())));
        if (accent) {
            engine.setAccent(*accent);
        }
        CountingSink sink;
        summary = engine.run(words, sink);
        benchmark::DoNotOptimize(sink.bytes);
    }
    bench::countWords(state, words.size(), bench::cpuSeconds(RUSAGE_SELF) - cpuBefore);
    state.counters["found"] = double(summary.found);
}

// The engine as the window starts it, with the accent it has by default.
void BM_Engine(benchmark::State& state) {
    runEngine(state, std::nullopt);
}

// The same in each accent: range 1 is 0 British, 1 American, 2 both (one lookup asking for both).
void BM_EngineAccent(benchmark::State& state) {
    runEngine(state, core::Accent(state.range(1)));
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

// The longest wait between the turns of the event loop: a timer due every few milliseconds
// fires late by as long as the loop is held up.
class EventGaps final : public QObject {
public:
    EventGaps() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &EventGaps::onTimeout);
    }
    void start() {
        since_.start();
        last_ = 0;
        lastCpu_ = bench::threadCpuMs();
        timer_.start();
    }
    void stop() { timer_.stop(); }
    qint64 since() const { return since_.elapsed(); }
    qint64 longest = 0;
    qint64 longestEndedAt = 0;  // ms after the start
    // The most CPU the window spent between two turns: the wait on an idle machine.
    double longestCpu = 0;

private:
    void onTimeout() {
        const qint64 now = since_.elapsed();
        if (now - last_ > longest) {
            longest = now - last_;
            longestEndedAt = now;
        }
        last_ = now;
        const double cpu = bench::threadCpuMs();
        longestCpu = qMax(longestCpu, cpu - lastCpu_);
        lastCpu_ = cpu;
    }
    QTimer timer_;
    QElapsedTimer since_;
    qint64 last_ = 0;
    double lastCpu_ = 0;
};

// The text engine has laid out the whole document: its last line is shown and has its place.
bool laidOut(const QTextDocument& document) {
    const QTextBlock last = document.lastBlock();
    return last.isVisible() && last.layout() && last.layout()->lineCount() > 0;
}

// The window after a run, until the text engine has laid out what the run wrote.
void waitForLayout(const QTextDocument& document) {
    QElapsedTimer limit;
    limit.start();
    while (!laidOut(document) && limit.elapsed() < 60'000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// The window as the user runs it: read the file, progress, events per word, the lines into the
// document. The time and CPU are those to the complete document; the CPU with the layout that
// the window finishes afterwards while it waits for the user, and the longest wait between
// repaints of the document and between turns of the event loop, during and after the run, are
// counters.
void BM_Window(benchmark::State& state) {
    bench::Environment env;
    const QString path = bench::writeFrequencyList(env.dir, state.range(0));
    core::LookupClient client(env.services);
    double cpu = 0;
    double cpuWithLayout = 0;
    qint64 longestGap = 0;
    qint64 longestWindowGap = 0;
    qint64 longestEventGap = 0;
    double longestEventGapCpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<batch::Frm4>(env.services, client);
        window->show();
        QCoreApplication::processEvents();
        PaintGaps gaps;
        window->documentBox()->viewport()->installEventFilter(&gaps);
        // Any part of the window: the progress bar goes on while the document view waits.
        PaintGaps windowGaps;
        window->installEventFilter(&windowGaps);
        for (QWidget* part : window->findChildren<QWidget*>()) {
            part->installEventFilter(&windowGaps);
        }
        EventGaps events;
        gaps.start();
        windowGaps.start();
        events.start();
        const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
        state.ResumeTiming();
        window->annotateFile(path);
        state.PauseTiming();
        cpu += bench::cpuSeconds(RUSAGE_SELF) - cpuBefore;
        const qint64 runEnded = events.since();
        waitForLayout(*window->documentBox()->document());
        cpuWithLayout += bench::cpuSeconds(RUSAGE_SELF) - cpuBefore;
        const qint64 laidOutAfter = events.since();
        events.stop();
        longestGap = qMax(longestGap, gaps.longest);
        longestWindowGap = qMax(longestWindowGap, windowGaps.longest);
        longestEventGap = qMax(longestEventGap, events.longest);
        longestEventGapCpu = qMax(longestEventGapCpu, events.longestCpu);
        std::printf(
            "window, %lld words: longest gap between repaints of the document %lld ms, ending "
            "%lld ms after the click, of the window %lld ms; longest wait of the event loop %lld "
            "ms (%.0f ms of CPU), ending %lld ms after the click; the run ended after %lld ms, "
            "the layout after %lld ms\n",
            static_cast<long long>(state.range(0)), static_cast<long long>(gaps.longest),
            static_cast<long long>(gaps.longestEndedAt), static_cast<long long>(windowGaps.longest),
            static_cast<long long>(events.longest), events.longestCpu,
            static_cast<long long>(events.longestEndedAt), static_cast<long long>(runEnded),
            static_cast<long long>(laidOutAfter));
        window.reset();
        state.ResumeTiming();
    }
    bench::countWords(state, state.range(0), cpu);
    state.counters["longest_paint_gap_ms"] = double(longestGap);
    state.counters["longest_window_paint_gap_ms"] = double(longestWindowGap);
    state.counters["longest_event_gap_ms"] = double(longestEventGap);
    state.counters["longest_event_gap_cpu_ms"] = longestEventGapCpu;
    state.counters["cpu_s"] = cpu / double(state.iterations());
    state.counters["cpu_s_with_layout"] = cpuWithLayout / double(state.iterations());
}

// Ctrl+End in the document right after a run: how long the window holds the user up to show
// the last line.
void BM_WindowCtrlEnd(benchmark::State& state) {
    bench::Environment env;
    const QString path = bench::writeFrequencyList(env.dir, state.range(0));
    core::LookupClient client(env.services);
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<batch::Frm4>(env.services, client);
        window->show();
        QCoreApplication::processEvents();
        window->annotateFile(path);
        output::DocumentBox* box = window->documentBox();
        box->setFocus();
        state.ResumeTiming();
        QKeyEvent down(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(box, &down);
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(box, &up);
        state.PauseTiming();
        if (!laidOut(*box->document()) ||
            box->textCursor().position() != box->document()->characterCount() - 1) {
            state.SkipWithError("Ctrl+End did not reach the laid-out end");
            return;
        }
        window.reset();
        state.ResumeTiming();
    }
}

// The whole program from the command line, process start included: the batch lines to standard
// output (range 1 = 0) or as an RTF file (range 1 = 1). The program runs from a copy, so that its
// miss log stays in the benchmark's folder.
void commandLine(benchmark::State& state, const QString& accent) {
    bench::Environment env;
    const QString path = bench::writeFrequencyList(env.dir, state.range(0));
    const bool rtf = state.range(1) == 1;
    for (const char* name : {"voxscribe", "libsonabet.so"}) {
        QFile::copy(testing_support::buildProgramFolder() + u'/' + QLatin1String(name),
                    env.dir.filePath(QLatin1String(name)));
    }
    QStringList arguments{QStringLiteral("--batch"), path};
    if (!accent.isEmpty()) {
        arguments << QStringLiteral("--accent") << accent;
    }
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
    bench::countWords(state, state.range(0), bench::cpuSeconds(RUSAGE_CHILDREN) - cpuBefore);
    if (peakKiB > 0) {
        state.counters["peak_MiB"] = peakKiB / 1024.0;
    }
}

void BM_CommandLine(benchmark::State& state) {
    commandLine(state, QString());
}

// The command line in each accent (range 2: 0 uk, 1 us, 2 both), to standard output or RTF.
void BM_CommandLineAccent(benchmark::State& state) {
    commandLine(state, QLatin1String(core::factsOf(core::Accent(state.range(2))).option));
}

// For comparison: espeak-ng turning the same list into IPA.
void BM_EspeakNg(benchmark::State& state) {
    QTemporaryDir dir;
    bench::espeakIpa(state, bench::writeFrequencyList(dir, state.range(0)), state.range(0));
}

[[maybe_unused]] const bool registered = bench::registerWallClockRuns({
    {"BM_Engine", BM_Engine, {}, {{100000}}},
    {"BM_EngineAccent",
     BM_EngineAccent,
     {"words", "accent"},
     {{100000, 0}, {100000, 1}, {100000, 2}}},
    {"BM_Window", BM_Window, {}, {{100000}}, 1},
    {"BM_WindowCtrlEnd", BM_WindowCtrlEnd, {}, {{100000}}, 1},
    {"BM_CommandLine",
     BM_CommandLine,
     {"words", "rtf"},
     {{100000, 0}, {100000, 1}, {200000, 1}},
     3},
    {"BM_CommandLineAccent",
     BM_CommandLineAccent,
     {"words", "rtf", "accent"},
     {{100000, 0, 0}, {100000, 0, 1}, {100000, 0, 2}, {100000, 1, 0}, {100000, 1, 2}},
     3},
});
// espeak-ng takes tens of seconds for 100,000 words; it runs once, on 100,000 words, and the
// 200,000-word figure is compared with its rate.
BENCHMARK(BM_EspeakNg)->Arg(100000)->Iterations(1)->Apply(bench::wallMilliseconds);

}  // namespace

int main(int argc, char** argv) {
    return bench::runWindowsAgainstEspeak(argc, argv);
}
