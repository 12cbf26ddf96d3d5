// The cost of one confirmation in the smart-annotation window (Frm3) and the manual-input window
// (Form1) when the document already holds 2,000 or 10,000 entries: Enter in the entry box, the
// entry into the document, and the repaint that follows. The document is filled by the windows'
// own confirmations inside one outer edit, so it holds what a user's confirmations leave, laid
// out once. Prints the median and the worst of 20 confirmations, by the clock and by CPU time.
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "componentruntime.h"
#include "dialogs.h"
#include "documentbox.h"
#include "form1.h"
#include "frm3.h"
#include "ipa.h"
#include "lookupclient.h"
#include "programfolder.h"
#include "services.h"

namespace {

constexpr int kSizes[] = {2000, 10000};
constexpr int kSamples = 20;

// A missing word is answered "No": it goes in with "none".
class AnswerNo final : public platform::MessageBoxes {
public:
    platform::Answer show(QWidget*, const QString&, platform::Icon, platform::Buttons buttons,
                          platform::Answer defaultButton) override {
        return buttons == platform::Buttons::YesNoCancel ? platform::Answer::No : defaultButton;
    }
};

class NoFiles final : public platform::FileDialogs {
public:
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
};

class NoShell final : public platform::ShellOpener {
public:
    void open(QWidget*, const QString&) override {}
};

void pressEnter(QWidget* receiver) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(receiver, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(receiver, &release);
}

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

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
        const double cpuBefore = threadCpuMs();
        confirm();
        QApplication::processEvents();  // the repaint the user waits for
        cpu.push_back(threadCpuMs() - cpuBefore);
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir folder;
    platform::ComponentRuntime runtime(QStringLiteral(VOXSCRIBE_PROGRAM_DIR));
    runtime.addManifest(QString::fromLatin1(sonabet::kProgId), sonabet::kClsidIpa,
                        QStringLiteral("libsonabet.so"));
    AnswerNo messages;
    NoFiles files;
    NoShell shell;
    platform::Services services{platform::ProgramFolder::at(folder.path()), runtime, messages,
                                files, shell};
    smart::LookupClient client(services);
    const QString words[] = {"quality", "about", "apple", "zebra", "the", "blind", "China"};

    for (int entries : kSizes) {
        smart::Frm3 window(services, client);
        window.show();
        QApplication::processEvents();
        int i = 0;
        print("Frm3", entries, measure(*window.documentBox(), entries, [&] {
                  window.entryBox()->setText(words[i++ % std::size(words)]);
                  pressEnter(window.entryBox());
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
                  pressEnter(text1);
              }));
    }
    return 0;
}
