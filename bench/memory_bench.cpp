// Memory of the program holding a long document: a shown smart-annotation window whose document
// box receives 100,000 annotated lines the way the window writes them (word and " [" in black,
// the transcription from the dictionary in blue phonetic codes, "]" and the line end in black),
// then saves them as RTF. Prints the resident set before, the peak (VmHWM) and the RTF size.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <cstdio>

#include "componentruntime.h"
#include "dialogs.h"
#include "documentbox.h"
#include "frm3.h"
#include "ipa.h"
#include "lookupclient.h"
#include "programfolder.h"
#include "services.h"
#include "wordlist.h"

namespace {

// VmRSS or VmHWM of this process in MiB.
double statusMiB(const char* field) {
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

QStringList words(int count) {
    QStringList source;
    QFile file(QStringLiteral(VOXSCRIBE_SHARED_DATA_DIR "/wordlists/frequency-top-20000.txt"));
    if (file.open(QIODevice::ReadOnly)) {
        source = batch::splitWordLines(QString::fromUtf8(file.readAll()));
    }
    if (source.isEmpty()) {
        source = {"quality", "about", "zebra", "xyzzy", "New York", "the"};
    }
    QStringList out;
    out.reserve(count);
    while (out.size() < count) {
        out << source[out.size() % source.size()];
    }
    return out;
}

class NoUser final : public platform::MessageBoxes,
                     public platform::FileDialogs,
                     public platform::ShellOpener {
public:
    platform::Answer show(QWidget*, const QString&, platform::Icon, platform::Buttons,
                          platform::Answer answer) override {
        return answer;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void open(QWidget*, const QString&) override {}
};

void BM_HundredThousandLineDocument(benchmark::State& state) {
    const int lines = int(state.range(0));
    QTemporaryDir dir;
    platform::ComponentRuntime runtime(QStringLiteral(VOXSCRIBE_PROGRAM_DIR));
    runtime.addManifest(QString::fromLatin1(sonabet::kProgId), sonabet::kClsidIpa,
                        QStringLiteral("libsonabet.so"));
    NoUser user;
    platform::Services services{platform::ProgramFolder::at(dir.path()), runtime, user, user, user};
    smart::LookupClient client(services);
    const QStringList list = words(lines);

    for (auto _ : state) {
        state.PauseTiming();
        smart::Frm3 window(services, client);
        window.show();
        QCoreApplication::processEvents();
        const double before = statusMiB("VmRSS:");
        state.ResumeTiming();

        output::DocumentBox& box = *window.documentBox();
        for (const QString& word : list) {
            const QString transcription = client.lookup(word).transcription;
            box.setInsertionFont(QStringLiteral("Arial"));
            box.setInsertionColour(output::kBlack);
            box.replaceSelection(word + QStringLiteral(" ["));
            box.setInsertionFont(QStringLiteral("Kingsoft Phonetic Plain"));
            box.setInsertionColour(output::kBlue);
            box.replaceSelection(transcription.isEmpty() ? QStringLiteral("none") : transcription);
            box.setInsertionFont(QStringLiteral("Arial"));
            box.setInsertionColour(output::kBlack);
            box.replaceSelection(QStringLiteral("]\r\n"));
        }
        QCoreApplication::processEvents();  // the window lays out and paints what it holds
        const double loaded = statusMiB("VmRSS:");
        const QString path = dir.filePath(QStringLiteral("long.doc"));
        if (!box.saveToFile(path)) {
            state.SkipWithError("save failed");
        }
        const double peak = statusMiB("VmHWM:");
        const double rtf = double(QFile(path).size()) / (1024.0 * 1024.0);

        state.counters["rss_before_MiB"] = before;
        state.counters["rss_loaded_MiB"] = loaded;
        state.counters["peak_MiB"] = peak;
        state.counters["rtf_MiB"] = rtf;
        std::printf(
            "%d lines: resident %.1f MiB before, %.1f MiB loaded (+%.1f), peak %.1f MiB "
            "while saving %.1f MiB of RTF\n",
            lines, before, loaded, loaded - before, peak, rtf);
        std::fflush(stdout);
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
