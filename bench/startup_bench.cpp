// How long the program takes from its start until the launcher is on screen: a fresh process per
// iteration that starts as the program does (application, translations, program folder,
// dictionary component, launcher) and reports its first paint. The time runs from the moment
// the process is started, so loading the program and its libraries counts.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QProcess>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "componentruntime.h"
#include "dialogs.h"
#include "frmstep1.h"
#include "ipa.h"
#include "lookupclient.h"
#include "programfolder.h"
#include "services.h"

namespace {

constexpr char kLauncherChild[] = "--launcher-child";

// The font warning, if any, answers at once: the run measures the way to the screen.
class Silent final : public platform::MessageBoxes {
public:
    platform::Answer show(QWidget*, const QString&, platform::Icon, platform::Buttons,
                          platform::Answer defaultButton) override {
        return defaultButton;
    }
};

// Reports the first paint of the launcher and ends the child.
class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                               double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
            std::printf("shown %.3f\n", cpu);
            std::fflush(stdout);
            // exit() rather than quit(): quit() would close the launcher, which asks first.
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

int launcherChild(int argc, char** argv) {
    QApplication app(argc, argv);
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }
    platform::ProgramFolder folder = platform::ProgramFolder::at(VOXSCRIBE_PROGRAM_DIR);
    platform::ComponentRuntime components(folder.path());
    components.addManifest(QString::fromLatin1(sonabet::kProgId), sonabet::kClsidIpa,
                           QStringLiteral("libsonabet.so"));
    Silent messages;
    platform::QtFileDialogs files;
    platform::DesktopOpener shell;
    platform::Services services{folder, components, messages, files, shell};
    smart::LookupClient lookup(services);
    shell::Frmstep1 launcher(services, lookup);
    FirstPaint paint;
    launcher.installEventFilter(&paint);
    launcher.show();
    return QApplication::exec();
}

void BM_LauncherOnScreen(benchmark::State& state) {
    double worst = 0;
    double cpu = 0;
    for (auto _ : state) {
        QProcess child;
        QElapsedTimer wall;
        wall.start();
        child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kLauncherChild)});
        QByteArray out;
        while (!out.contains('\n') && child.waitForReadyRead(30000)) {
            out += child.readAllStandardOutput();
        }
        const double ms = wall.nsecsElapsed() / 1e6;
        if (!child.waitForFinished(5000)) {
            child.kill();
            child.waitForFinished();
        }
        if (!out.startsWith("shown")) {
            state.SkipWithError("the launcher did not paint");
            return;
        }
        state.SetIterationTime(ms / 1e3);
        worst = qMax(worst, ms);
        cpu += out.mid(6).trimmed().toDouble();
    }
    state.counters["worst_ms"] = worst;
    state.counters["child_cpu_ms"] = cpu / double(state.iterations());
}
BENCHMARK(BM_LauncherOnScreen)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc > 1 && std::strcmp(argv[1], kLauncherChild) == 0) {
        return launcherChild(argc, argv);
    }
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
