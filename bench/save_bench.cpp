// Saving a document as RTF: a very long document once per iteration, and the autosave of a
// document of ordinary size as the window's timer runs it.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>
#include <QTextCursor>

#include "benchsupport.h"
#include "documentbox.h"
#include "documentsaver.h"
#include "rtfwriter.h"

namespace {

// Annotated lines as the smart-annotation window writes them: the word and " [" in black Arial,
// the transcription in blue phonetic codes, "]" and the line break in black Arial.
void fill(output::DocumentBox& box, int lines) {
    box.setDefaultFormat(QStringLiteral("Courier"), 12);
    QTextCursor cursor(box.document());
    QTextCharFormat word;
    word.setFontFamilies({QStringLiteral("Arial")});
    QTextCharFormat phonetic;
    phonetic.setFontFamilies({QStringLiteral("Kingsoft Phonetic Plain")});
    phonetic.setForeground(output::colourFromBgr(core::kBlue));
    const QString transcriptions[] = {QStringLiteral("5kwRliti"), QStringLiteral("E5baut"),
                                      QStringLiteral("5zi:brE"), QStringLiteral("Di:, DE")};
    cursor.beginEditBlock();
    for (int i = 0; i < lines; ++i) {
        cursor.insertText(QStringLiteral("Word%1 [").arg(i), word);
        cursor.insertText(transcriptions[i % 4], phonetic);
        cursor.insertText(i + 1 < lines ? QStringLiteral("]\n") : QStringLiteral("]"), word);
    }
    cursor.endEditBlock();
}

void BM_Save(benchmark::State& state) {
    QTemporaryDir dir;
    output::DocumentBox box;
    fill(box, int(state.range(0)));
    const QString path = dir.filePath(QStringLiteral("long.doc"));
    qint64 bytes = 0;
    for (auto _ : state) {
        if (!box.saveToFile(path)) {
            state.SkipWithError("save failed");
            break;
        }
        bytes = QFileInfo(path).size();
    }
    state.counters["lines"] = double(state.range(0));
    state.counters["file_MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_Save)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

// The RTF text alone, without the disk.
void BM_WriteRtf(benchmark::State& state) {
    output::DocumentBox box;
    fill(box, int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(core::toRtf(*box.document()));
    }
}
BENCHMARK(BM_WriteRtf)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

// One autosave of a saved window, which writes the file: what it costs the window once a minute.
void BM_Autosave(benchmark::State& state) {
    bench::Environment env;
    const QString path = env.dir.filePath(QStringLiteral("autosaved.doc"));
    env.user.saveName = path;
    QWidget window;
    auto* box = new output::DocumentBox(&window);
    fill(*box, int(state.range(0)));
    output::DocumentSaver saver(widgets::WorkingWindow::SmartAnnotation, env.services, box, &window,
                                nullptr);
    saver.save();
    if (saver.currentFile() != path) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        saver.autosave();
    }
    state.counters["lines"] = double(state.range(0));
}
BENCHMARK(BM_Autosave)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Application app(argc, argv);
    return bench::runBenchmarks(argc, argv);
}
