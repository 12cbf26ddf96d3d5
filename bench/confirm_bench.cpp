// The cost of one confirmation in the smart-annotation window (Frm3) and the manual-input window
// (Form1) when the document already holds 2,000 or 10,000 entries: Enter in the entry box, the
// entry into the document, and the repaint that follows. The document is filled by the windows'
// own confirmations inside one outer edit, so it holds what a user's confirmations leave, laid
// out once. Prints the median and the worst of 20 confirmations, by the clock and by CPU time.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "benchsupport.h"
#include "documentbox.h"
#include "form1.h"
#include "frm3.h"
#include "lookupclient.h"

namespace {

constexpr int kSizes[] = {2000, 10000};
constexpr int kSamples = 20;

struct Figures {
    double medianMs;
    double worstMs;
    double medianCpuMs;
};

// confirm: one confirmation of the window with its entry box filled in.
Figures measure(output::DocumentBox& document, int entries, const std::function<void()>& confirm) {
    {
        QTextCursor outer(document.document());
        outer.beginEditBlock();
        for (int i = 0; i < entries; ++i) {
            confirm();
        }
        outer.endEditBlock();
    }
    QApplication::processEvents();
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < kSamples; ++i) {
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = bench::threadCpuMs();
        confirm();
        QApplication::processEvents();  // the repaint the user waits for
        cpu.push_back(bench::threadCpuMs() - cpuBefore);
        wall.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[kSamples / 2], wall.back(), cpu[kSamples / 2]};
}

void print(const char* window, int entries, const Figures& f) {
    std::printf(
        "%-6s %6d entries before: one confirmation %7.2f ms median, %7.2f ms worst, "
        "%7.2f ms CPU median\n",
        window, entries, f.medianMs, f.worstMs, f.medianCpuMs);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    bench::Application app(argc, argv);
    bench::Environment env;
    env.user.yesNoCancel = platform::Answer::No;  // a missing word goes in with "none"
    platform::Services& services = env.services;
    core::LookupClient client(services);
    const QString words[] = {"quality", "about", "apple", "zebra", "the", "blind", "China"};

    for (int entries : kSizes) {
        smart::Frm3 window(services, client);
        window.show();
        QApplication::processEvents();
        int i = 0;
        print("Frm3", entries, measure(*window.documentBox(), entries, [&] {
                  window.entryBox()->setText(words[i++ % std::size(words)]);
                  bench::pressEnter(window.entryBox());
              }));
    }
    for (int entries : kSizes) {
        manual::Form1 window(services);
        window.show();
        QApplication::processEvents();
        auto* text1 = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* rich1 = window.findChild<output::DocumentBox*>(QStringLiteral("Rich1"));
        print("Form1", entries, measure(*rich1, entries, [&] {
                  text1->setText(QStringLiteral("5kwRliti"));
                  bench::pressEnter(text1);
              }));
    }
    return 0;
}
