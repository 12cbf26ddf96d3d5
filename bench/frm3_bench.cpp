// Confirms 10,000 words one after another in the smart-annotation window, as Enter in the entry box
// does, and prints words per second. Words the dictionary lacks are answered "No" (the word goes in
// with "none"), so every confirmation inserts an annotated entry.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextStream>
#include <cstdio>

#include "componentruntime.h"
#include "dialogs.h"
#include "documentbox.h"
#include "frm3.h"
#include "ipa.h"
#include "lookupclient.h"
#include "programfolder.h"
#include "services.h"

namespace {

constexpr int kDefaultWords = 10000;
constexpr int kSlice = 1000;

class AnswerNo final : public platform::MessageBoxes {
public:
    platform::Answer show(QWidget*, const QString&, platform::Icon, platform::Buttons buttons,
                          platform::Answer defaultButton) override {
        ++questions;
        return buttons == platform::Buttons::YesNoCancel ? platform::Answer::No : defaultButton;
    }
    int questions = 0;
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

QStringList wordList() {
    QStringList words;
    QFile file(QStringLiteral(VOXSCRIBE_SHARED_DATA_DIR "/wordlists/cet-4-6-syllabus-words.txt"));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (!line.isEmpty()) {
                words << line;
            }
        }
    }
    if (words.isEmpty()) {
        words = {"quality", "about", "apple", "zebra", "the", "blind", "China", "xyzzy"};
    }
    return words;
}

void pressEnter(QWidget* receiver) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(receiver, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(receiver, &release);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // An optional first argument sets the number of words, for a quick look.
    const int kWords = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : kDefaultWords;

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
    smart::Frm3 window(services, client);
    window.show();
    QApplication::processEvents();

    const QStringList words = wordList();
    QLineEdit* entry = window.entryBox();
    QElapsedTimer total;
    QElapsedTimer slice;
    int sliceStart = 0;
    total.start();
    slice.start();
    std::printf("words  slice_ms  words_per_s_in_slice\n");
    for (int i = 0; i < kWords; ++i) {
        entry->setText(words[i % words.size()]);
        pressEnter(entry);
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
    std::printf("not found (answered No): %d; document characters: %d\n", messages.questions,
                window.documentBox()->document()->characterCount());
    return 0;
}
