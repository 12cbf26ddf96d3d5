// How long the program takes from its start until the launcher is on screen: a fresh process per
// iteration that starts as the program does (application, translations, program folder,
// dictionary component, launcher) and reports its first paint. The time runs from the moment
// the process is started, so loading the program and its libraries counts.
#include <QApplication>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QProcess>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "benchsupport.h"
#include "frmstep1.h"
#include "lookupclient.h"

namespace {

constexpr char kLauncherChild[] = "--launcher-child";

// Reports the first paint of the launcher and ends the child.
class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            std::printf("shown %.3f\n", bench::cpuSeconds() * 1e3);
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
    bench::Application app(argc, argv);
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }
    platform::ProgramFolder folder =
        platform::ProgramFolder::at(testing_support::buildProgramFolder());
    platform::ComponentRuntime components(folder.path());
    testing_support::addDictionaryManifest(components);
    // The font warning, if any, answers at once: the run measures the way to the screen.
    bench::NoUser user;
    platform::Services services{folder, components, user, user, user};
    core::LookupClient lookup(services);
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
    if (argc > 1 && std::strcmp(argv[1], kLauncherChild) == 0) {
        return launcherChild(argc, argv);
    }
    QCoreApplication app(argc, argv);
    return bench::runBenchmarks(argc, argv);
}
