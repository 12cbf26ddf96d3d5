// One whole client lookup: a fresh component object, the call by name, the release. And the
// first lookup of a program run: the dictionary library loaded, its index built, one word found,
// measured in a fresh process each time, whatever size the tables have (SONABET_LIBRARY_DIR
// points both at another build of the library).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "componentruntime.h"
#include "dialogs.h"
#include "ipa.h"
#include "lookupclient.h"
#include "programfolder.h"
#include "services.h"

namespace {

constexpr char kFirstLookupChild[] = "--first-lookup-child";

QStringList wordList() {
    QStringList words;
    QFile file(QStringLiteral(VOXSCRIBE_SHARED_DATA_DIR "/wordlists/cet-4-6-syllabus-words.txt"));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&file);
        while (!in.atEnd()) {
            words << in.readLine();
        }
    }
    if (words.isEmpty()) {
        words = {"quality", "about", "zebra", "xyzzy", "New York", "the"};
    }
    return words;
}

class Silent final : public platform::MessageBoxes {
public:
    platform::Answer show(QWidget*, const QString&, platform::Icon, platform::Buttons,
                          platform::Answer defaultButton) override {
        return defaultButton;
    }
};

// Where the dictionary library is taken from: the build's program folder, or the folder that
// SONABET_LIBRARY_DIR names, so that a library built from other tables can be measured too.
QString libraryFolder() {
    const QString chosen = qEnvironmentVariable("SONABET_LIBRARY_DIR");
    return chosen.isEmpty() ? QStringLiteral(VOXSCRIBE_PROGRAM_DIR) : chosen;
}

// The program's own services, with the dictionary library of libraryFolder().
struct Environment {
    Environment() : runtime(libraryFolder()) {
        runtime.addManifest(QString::fromLatin1(sonabet::kProgId), sonabet::kClsidIpa,
                            QStringLiteral("libsonabet.so"));
    }
    QTemporaryDir dir;
    platform::ComponentRuntime runtime;
    Silent messages;
    platform::QtFileDialogs files;
    platform::DesktopOpener shell;
    platform::Services services{platform::ProgramFolder::at(dir.path()), runtime, messages, files,
                                shell};
};

void BM_ClientLookup(benchmark::State& state) {
    const QStringList words = wordList();
    Environment env;
    smart::LookupClient client(env.services);
    qsizetype i = 0;
    qsizetype found = 0;
    for (auto _ : state) {
        const smart::Lookup result = client.lookup(words[i]);
        found += result.transcription.isEmpty() ? 0 : 1;
        benchmark::DoNotOptimize(result);
        i = (i + 1) % words.size();
    }
    state.counters["words"] = static_cast<double>(words.size());
    state.counters["found_share"] =
        benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ClientLookup)->Unit(benchmark::kNanosecond);

double cpuSeconds(const rusage& usage) {
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The child's part: the first lookup of the run, timed from before the library is looked for
// until the answer is back. Prints wall and CPU milliseconds.
int firstLookupChild() {
    Environment env;
    smart::LookupClient client(env.services);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer wall;
    wall.start();
    const smart::Lookup result = client.lookup(QStringLiteral("quality"));
    const qint64 ns = wall.nsecsElapsed();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    std::printf("%.3f %.3f %d\n", ns / 1e6, (cpuSeconds(after) - cpuSeconds(before)) * 1e3,
                result.transcription.isEmpty() ? 0 : 1);
    return result.transcription.isEmpty() ? 1 : 0;
}

// Library load and index build, in a fresh process per iteration (a loaded library stays).
void BM_FirstLookup(benchmark::State& state) {
    double worst = 0;
    double cpu = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kFirstLookupChild)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            state.SkipWithError("the first lookup found nothing");
            return;
        }
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        const double ms = fields.value(0).toDouble();
        state.SetIterationTime(ms / 1e3);
        worst = qMax(worst, ms);
        cpu += fields.value(1).toDouble();
    }
    state.counters["worst_ms"] = worst;
    state.counters["cpu_ms"] = cpu / double(state.iterations());
}
BENCHMARK(BM_FirstLookup)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], kFirstLookupChild) == 0) {
        return firstLookupChild();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
