// One whole client lookup: a fresh component object, the call by name, the release. And the
// first lookup of a program run: the dictionary library loaded, its index built, one word found,
// measured in a fresh process each time, whatever size the tables have (SONABET_LIBRARY_DIR
// points both at another build of the library).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <cstring>

#include "benchsupport.h"
#include "lookupclient.h"

namespace {

constexpr char kFirstLookupChild[] = "--first-lookup-child";

// Where the dictionary library is taken from: the build's program folder, or the folder that
// SONABET_LIBRARY_DIR names, so that a library built from other tables can be measured too.
QString libraryFolder() {
    const QString chosen = qEnvironmentVariable("SONABET_LIBRARY_DIR");
    return chosen.isEmpty() ? testing_support::buildProgramFolder() : chosen;
}

const QString& transcriptionOf(const core::Lookup& lookup) {
    return lookup.transcription;
}
const QString& transcriptionOf(const core::LookupClient::BothLookup& both) {
    return both.british.transcription;
}

// The same lookups, British, American or both.
template <auto Ask>
void clientLookups(benchmark::State& state) {
    const QStringList words = bench::syllabusWords();
    bench::Environment env(libraryFolder());
    core::LookupClient client(env.services);
    qsizetype i = 0;
    qsizetype found = 0;
    for (auto _ : state) {
        const auto result = (client.*Ask)(words[i]);
        found += transcriptionOf(result).isEmpty() ? 0 : 1;
        benchmark::DoNotOptimize(result);
        i = (i + 1) % words.size();
    }
    state.counters["words"] = static_cast<double>(words.size());
    state.counters["found_share"] =
        benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}

void BM_ClientLookup(benchmark::State& state) {
    clientLookups<&core::LookupClient::lookup>(state);
}
BENCHMARK(BM_ClientLookup)->Unit(benchmark::kNanosecond);

void BM_ClientLookupAmerican(benchmark::State& state) {
    clientLookups<&core::LookupClient::lookupAmerican>(state);
}
BENCHMARK(BM_ClientLookupAmerican)->Unit(benchmark::kNanosecond);

void BM_ClientLookupBoth(benchmark::State& state) {
    clientLookups<&core::LookupClient::lookupBoth>(state);
}
BENCHMARK(BM_ClientLookupBoth)->Unit(benchmark::kNanosecond);

// The child's part: the first lookup of the run, timed from before the library is looked for
// until the answer is back. Prints wall and CPU milliseconds.
int firstLookupChild() {
    bench::Environment env(libraryFolder());
    core::LookupClient client(env.services);
    const double cpuBefore = bench::cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    const core::Lookup result = client.lookup(QStringLiteral("quality"));
    const qint64 ns = wall.nsecsElapsed();
    const double cpu = bench::cpuSeconds() - cpuBefore;
    std::printf("%.3f %.3f %d\n", ns / 1e6, cpu * 1e3, result.transcription.isEmpty() ? 0 : 1);
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
    return bench::runBenchmarks(argc, argv);
}
