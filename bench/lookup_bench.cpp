// One whole client lookup: a fresh component object, the call by name, the release.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFile>
#include <QTextStream>

#include "componentruntime.h"
#include "dialogs.h"
#include "ipa.h"
#include "lookupclient.h"
#include "programfolder.h"
#include "services.h"

namespace {

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

void BM_ClientLookup(benchmark::State& state) {
    const QStringList words = wordList();
    platform::ComponentRuntime runtime(QStringLiteral(VOXSCRIBE_PROGRAM_DIR));
    runtime.addManifest(QString::fromLatin1(sonabet::kProgId), sonabet::kClsidIpa,
                        QStringLiteral("libsonabet.so"));
    platform::QtMessageBoxes messages;
    platform::QtFileDialogs files;
    platform::DesktopOpener shell;
    platform::Services services{platform::ProgramFolder::at(QStringLiteral(".")), runtime, messages,
                                files, shell};
    smart::LookupClient client(services);
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

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
