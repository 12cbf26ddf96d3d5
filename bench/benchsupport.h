// What the benchmarks share: a program folder and services of their own, the word lists from the
// reference data, keys sent to a widget, CPU time and memory figures, running another program,
// and the main() around Google Benchmark.
#pragma once

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <time.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>

#include "nouser.h"
#include "wordlist.h"

namespace bench {

using testing_support::NoUser;

// A program folder of the benchmark's own, the build's dictionary and nobody at the keyboard.
using Environment = testing_support::Unattended;

// A handful of everyday words, found and missing, for a machine without the reference data.
inline QStringList fallbackWords() {
    return {"quality", "about", "apple", "zebra", "the", "blind", "China", "xyzzy", "New York"};
}

inline QStringList wordsOf(const char* fileInData) {
    QFile file(QStringLiteral(VOXSCRIBE_SHARED_DATA_DIR "/wordlists/") + QLatin1String(fileInData));
    const QStringList words = file.open(QIODevice::ReadOnly)
                                  ? core::splitWordLines(QString::fromUtf8(file.readAll()))
                                  : QStringList();
    return words.isEmpty() ? fallbackWords() : words;
}

// The words of the CET-4/6 syllabus.
inline QStringList syllabusWords() {
    return wordsOf("cet-4-6-syllabus-words.txt");
}

// The first count words of the frequency list, the list repeated as often as needed.
inline QStringList frequencyWords(qsizetype count) {
    const QStringList source = wordsOf("frequency-top-20000.txt");
    QStringList words;
    words.reserve(count);
    while (words.size() < count) {
        words << source[words.size() % source.size()];
    }
    return words;
}

// frequencyWords(count) as a word-list file in folder, one word a line.
inline QString writeFrequencyList(const QTemporaryDir& folder, qsizetype count) {
    const QString path = folder.filePath(QStringLiteral("words-%1.txt").arg(count));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(frequencyWords(count).join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    }
    return path;
}

// A key pressed and released, as the keyboard sends it.
inline void pressKey(QWidget* receiver, Qt::Key key, const QString& text = QString()) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(receiver, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(receiver, &up);
}

inline void pressEnter(QWidget* receiver) {
    pressKey(receiver, Qt::Key_Return, QStringLiteral("\r"));
}

// CPU seconds (user and system) of this process (RUSAGE_SELF) or of its finished children
// (RUSAGE_CHILDREN).
inline double cpuSeconds(int who = RUSAGE_SELF) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU milliseconds of the calling thread.
inline double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// A figure of /proc/self/status ("VmRSS:", "VmHWM:") in MiB; -1 when it cannot be read.
inline double statusMiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return -1;
}

// Runs program to its end with its standard output thrown away. Empty when it succeeded;
// otherwise what it said on standard error, or that it failed.
inline QByteArray runToEnd(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0) {
        return {};
    }
    const QByteArray err = process.readAllStandardError();
    return err.isEmpty() ? QFileInfo(program).fileName().toLocal8Bit() + " failed" : err;
}

// The windows never reach a screen unless QT_QPA_PLATFORM says otherwise; the platform has to
// be chosen before QApplication starts.
struct OffscreenByDefault {
    OffscreenByDefault() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }
};

class Application : private OffscreenByDefault, public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
};

// The registered benchmarks, reported by reporter (the console's when null).
// Words per second, by the clock and by CPU time: the counters every words benchmark prints.
inline constexpr char kRate[] = "words/s";
inline constexpr char kCpuRate[] = "words/cpu_s";

// Figures a run reports beside its times, each under its counter's name.
inline void setCounters(benchmark::State& state,
                        std::initializer_list<std::pair<const char*, double>> figures) {
    for (const auto& [name, value] : figures) {
        state.counters[name] = value;
    }
}

// A figure a run reports: beside its times under its counter's name (none: only in the sentence),
// and in the sentence that says the run's figures, where says is its printf format.
struct Figure {
    const char* counter;
    double value;
    const char* says;
};

// Sets the counters of figures and prints "subject: " with what each figure says, joined by ", ".
inline void report(benchmark::State& state, const std::string& subject,
                   std::initializer_list<Figure> figures) {
    std::string sentence = subject + ": ";
    const char* separator = "";
    for (const Figure& figure : figures) {
        if (figure.counter) {
            state.counters[figure.counter] = figure.value;
        }
        char said[128];
        std::snprintf(said, sizeof said, figure.says, figure.value);
        sentence.append(separator).append(said);
        separator = ", ";
    }
    std::printf("%s\n", sentence.c_str());
    std::fflush(stdout);
}

inline void countWords(benchmark::State& state, qsizetype words, double cpu) {
    state.counters[kRate] =
        benchmark::Counter(double(words) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["words"] = double(words);
    if (cpu > 0) {
        state.counters[kCpuRate] = double(words) * double(state.iterations()) / cpu;
    }
}

// For comparison: espeak-ng (Debian package espeak-ng) turning the words of a file into IPA, once
// per iteration; words: how many the file holds.
inline void espeakIpa(benchmark::State& state, const QString& path, qsizetype words) {
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty()) {
        state.SkipWithError("espeak-ng is not installed (apt-get install espeak-ng)");
        return;
    }
    const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
    for (auto _ : state) {
        const QByteArray failure =
            runToEnd(espeak, {QStringLiteral("-q"), QStringLiteral("--ipa"), QStringLiteral("-v"),
                              QStringLiteral("en-gb"), QStringLiteral("-f"), path});
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.constData());
            return;
        }
    }
    countWords(state, words, cpuSeconds(RUSAGE_CHILDREN) - cpuBefore);
}

// The console report, then how many times faster than espeak-ng (the run named BM_EspeakNg) each
// rate is, by the clock and by CPU time.
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
            const bool cpu = endsWith(name, kCpuRate);
            std::printf("%-40s %10.0f: %6.1f times espeak-ng\n", name.c_str(), rate,
                        rate / (cpu ? espeakCpu : espeak));
        }
    }

private:
    static bool endsWith(const std::string& name, const char* suffix) {
        const std::size_t length = std::strlen(suffix);
        return name.size() > length &&
               name.compare(name.size() - length, std::string::npos, suffix) == 0;
    }
    // The rate of the run whose name starts with prefix; 0 when there is none.
    double rateOf(const std::string& prefix, const char* counter) const {
        for (const auto& [name, rate] : rates_) {
            if (name.rfind(prefix, 0) == 0 && endsWith(name, counter)) {
                return rate;
            }
        }
        return 0;
    }
    std::map<std::string, double> rates_;
};

// Each iteration hands the next of items, in turn, to ask, and keeps its result from the optimiser.
template <typename Items, typename Ask>
void askInTurn(benchmark::State& state, const Items& items, Ask ask) {
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ask(items[i]));
        i = (i + 1) % qsizetype(items.size());
    }
}

// For ->Apply(): a run measured by the wall clock, in milliseconds, as a user waits for it.
inline void wallMilliseconds(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

// A benchmark measured by the wall clock, as wallMilliseconds: iterations runs (0: as many as
// Google Benchmark chooses) for each row of arguments, the arguments named by argNames.
struct WallClockRuns {
    const char* name;
    void (*function)(benchmark::State&);
    std::vector<std::string> argNames;
    std::vector<std::vector<std::int64_t>> rows;
    benchmark::IterationCount iterations = 0;
};

// Registers each of runs, in the order they are to run; true, for a static initialiser.
inline bool registerWallClockRuns(std::initializer_list<WallClockRuns> runs) {
    for (const WallClockRuns& run : runs) {
        benchmark::internal::Benchmark* benchmark =
            benchmark::RegisterBenchmark(run.name, run.function);
        benchmark->ArgNames(run.argNames);
        for (const std::vector<std::int64_t>& row : run.rows) {
            benchmark->Args(row);
        }
        if (run.iterations > 0) {
            benchmark->Iterations(run.iterations);
        }
        wallMilliseconds(benchmark);
    }
    return true;
}

// Whether the first argument is option, taken out of the arguments: an option of our own that
// Google Benchmark would refuse.
inline bool takeOption(int& argc, char**& argv, const char* option) {
    if (argc < 2 || std::strcmp(argv[1], option) != 0) {
        return false;
    }
    argv[1] = argv[0];
    ++argv;
    --argc;
    return true;
}

inline int runBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(reporter);
    benchmark::Shutdown();
    return 0;
}

// The main() of a benchmark of windows whose rates are set against espeak-ng's (BM_EspeakNg).
inline int runWindowsAgainstEspeak(int argc, char** argv) {
    Application app(argc, argv);
    RatioReporter reporter;
    return runBenchmarks(argc, argv, &reporter);
}

}  // namespace bench
