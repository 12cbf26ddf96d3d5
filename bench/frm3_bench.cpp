// Confirms 10,000 words one after another in the smart-annotation window, as Enter in the entry box
// does, and prints words per second. Words the dictionary lacks are answered "No" (the word goes in
// with "none"), so every confirmation inserts an annotated entry.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTextDocument>
#include <cstdio>

#include "benchsupport.h"
#include "documentbox.h"
#include "frm3.h"
#include "lookupclient.h"

namespace {

constexpr int kDefaultWords = 10000;
constexpr int kSlice = 1000;

}  // namespace

int main(int argc, char** argv) {
    bench::Application app(argc, argv);
    // An optional first argument sets the number of words, for a quick look.
    const int kWords = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : kDefaultWords;

    bench::Environment env;
    env.user.yesNoCancel = platform::Answer::No;
    core::LookupClient client(env.services);
    smart::Frm3 window(env.services, client);
    window.show();
    QApplication::processEvents();

    const QStringList words = bench::syllabusWords();
    QLineEdit* entry = window.entryBox();
    QElapsedTimer total;
    QElapsedTimer slice;
    int sliceStart = 0;
    total.start();
    slice.start();
    std::printf("words  slice_ms  words_per_s_in_slice\n");
    for (int i = 0; i < kWords; ++i) {
        entry->setText(words[i % words.size()]);
        bench::pressEnter(entry);
        if ((i + 1) % kSlice == 0 || i + 1 == kWords) {
            const qint64 ns = slice.nsecsElapsed();
            std::printf("%5d  %8.1f  %10.0f\n", i + 1, ns / 1e6, (i + 1 - sliceStart) / (ns / 1e9));
            std::fflush(stdout);
            sliceStart = i + 1;
            slice.restart();
        }
    }
    const double seconds = total.nsecsElapsed() / 1e9;
    std::printf("confirmed %d words in %.2f s: %.0f words per second\n", kWords, seconds,
                kWords / seconds);
    std::printf("not found (answered No): %d; document characters: %d\n", env.user.messages,
                window.documentBox()->document()->characterCount());
    return 0;
}
