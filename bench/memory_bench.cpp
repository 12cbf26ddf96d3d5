// Memory of the program holding a long document: a shown smart-annotation window whose document
// box receives 100,000 annotated lines the way the window writes them (word and " [" in black,
// the transcription from the dictionary in blue phonetic codes, "]" and the line end in black),
// then saves them as RTF. Prints the resident set before, the peak (VmHWM) and the RTF size.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFile>
#include <QTextCursor>
#include <cstdio>

#include "annotatedline.h"
#include "benchsupport.h"
#include "documentbox.h"
#include "frm3.h"
#include "lookupclient.h"

namespace {

void BM_HundredThousandLineDocument(benchmark::State& state) {
    const int lines = int(state.range(0));
    bench::Environment env;
    platform::Services& services = env.services;
    core::LookupClient client(services);
    const QStringList list = bench::frequencyWords(lines);

    for (auto _ : state) {
        state.PauseTiming();
        smart::Frm3 window(services, client);
        window.show();
        QCoreApplication::processEvents();
        const double before = bench::statusMiB("VmRSS:");
        state.ResumeTiming();

        output::DocumentBox& box = *window.documentBox();
        for (const QString& word : list) {
            const QString transcription = client.lookup(word).transcription;
            testing_support::appendAnnotated(
                box, word, transcription.isEmpty() ? QStringLiteral("none") : transcription);
        }
        QCoreApplication::processEvents();  // the window lays out and paints what it holds
        const double loaded = bench::statusMiB("VmRSS:");
        const QString path = env.dir.filePath(QStringLiteral("long.doc"));
        if (!box.saveToFile(path)) {
            state.SkipWithError("save failed");
        }
        const double peak = bench::statusMiB("VmHWM:");
        const double rtf = double(QFile(path).size()) / (1024.0 * 1024.0);

        bench::report(state, std::to_string(lines) + " lines",
                      {{"rss_before_MiB", before, "resident %.1f MiB before"},
                       {"rss_loaded_MiB", loaded, "%.1f MiB loaded"},
                       {nullptr, loaded - before, "%+.1f MiB for the document"},
                       {"peak_MiB", peak, "peak %.1f MiB while saving"},
                       {"rtf_MiB", rtf, "%.1f MiB of RTF"}});
    }
}
// One pass each: the peak is a high-water mark of the whole process, so the longest runs last.
BENCHMARK(BM_HundredThousandLineDocument)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Application app(argc, argv);
    return bench::runBenchmarks(argc, argv);
}
