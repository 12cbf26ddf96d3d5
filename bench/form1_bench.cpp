// The manual-input window under a typist's load: how long the window takes to open (52 button
// faces and 14 palette faces drawn), how many mapped key presses it handles per second, and how
// many confirmed transcriptions per second it writes into a growing document.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTextDocument>
#include <cstdio>

#include "benchsupport.h"
#include "documentbox.h"
#include "form1.h"

namespace {

constexpr int kOpenings = 20;
constexpr int kKeyPresses = 100000;
constexpr int kEntries = 2000;

}  // namespace

int main(int argc, char** argv) {
    bench::Application app(argc, argv);
    bench::Environment env;
    platform::Services& services = env.services;

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kOpenings; ++i) {
        manual::Form1 window(services);
        window.show();
        QApplication::processEvents();
    }
    std::printf("opened and closed the window %d times: %.1f ms per opening\n", kOpenings,
                timer.nsecsElapsed() / 1e6 / kOpenings);

    manual::Form1 window(services);
    window.show();
    QApplication::processEvents();
    auto* text1 = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* rich1 = window.findChild<output::DocumentBox*>(QStringLiteral("Rich1"));

    // F7 inserts "dV"; two Backspaces take it out again, so the box stays short.
    timer.restart();
    for (int i = 0; i < kKeyPresses; i += 3) {
        bench::pressKey(text1, Qt::Key_F7);
        bench::pressKey(text1, Qt::Key_Backspace);
        bench::pressKey(text1, Qt::Key_Backspace);
    }
    double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%d key presses in %.2f s: %.0f presses per second\n", kKeyPresses, seconds,
                kKeyPresses / seconds);

    // "5kwCliti" on the keyboard, then Enter: one bracketed transcription per entry.
    const Qt::Key quality[] = {Qt::Key_F10, Qt::Key_K, Qt::Key_W, Qt::Key_2,
                               Qt::Key_L,   Qt::Key_6, Qt::Key_T, Qt::Key_6};
    timer.restart();
    QElapsedTimer slice;
    slice.start();
    std::printf("entries  slice_ms  entries_per_s_in_slice\n");
    for (int i = 0; i < kEntries; ++i) {
        for (Qt::Key key : quality) {
            bench::pressKey(text1, key);
        }
        bench::pressKey(text1, Qt::Key_Return);
        if ((i + 1) % 1000 == 0) {
            const qint64 ns = slice.nsecsElapsed();
            std::printf("%7d  %8.1f  %10.0f\n", i + 1, ns / 1e6, 1000 / (ns / 1e9));
            slice.restart();
        }
    }
    seconds = timer.nsecsElapsed() / 1e9;
    std::printf(
        "confirmed %d entries in %.2f s: %.0f entries per second; document characters: %d\n",
        kEntries, seconds, kEntries / seconds, rich1->document()->characterCount());
    return 0;
}
