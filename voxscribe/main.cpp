#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

#include "commandline.h"
#include "componentruntime.h"
#include "dialogs.h"
#include "frmstep1.h"
#include "ipa.h"
#include "lookupclient.h"
#include "programfolder.h"
#include "services.h"

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// The program folder, the dictionary component and the desktop's dialogs; made once the
// application object exists.
struct Platform {
    Platform() : folder(platform::ProgramFolder::ofApplication()), components(folder.path()) {
        components.addManifest(QString::fromLatin1(sonabet::kProgId), sonabet::kClsidIpa,
                               QStringLiteral("libsonabet.so"));
    }
    platform::ProgramFolder folder;
    platform::ComponentRuntime components;
    platform::QtMessageBoxes messages;
    platform::QtFileDialogs files;
    platform::DesktopOpener shell;
    platform::Services services{folder, components, messages, files, shell};
};

}  // namespace

int main(int argc, char** argv) {
    // A write past the file-size limit then fails like a full disk, and the save says so,
    // instead of the signal ending the program with the document unsaved.
    std::signal(SIGXFSZ, SIG_IGN);

    // "--batch" and "--help" run without the windows and end here. They need no display, so
    // they get no graphical application at all.
    if (commandline::isCommandLineRun(argumentsOf(argc, argv))) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("voxscribe"));
        Platform platform;
        return *commandline::runCommandLine(QCoreApplication::arguments(), platform.services);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("voxscribe"));
    // The desktop entry's name (packaging/org.voxscribe.Voxscribe.desktop), by which Wayland
    // compositors match the windows to their menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.voxscribe.Voxscribe"));

    // The standard buttons read in Chinese, like every other text of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    Platform platform;
    core::LookupClient lookup(platform.services);
    // The launcher owns the working windows, so they go with it when the program ends.
    shell::Frmstep1 launcher(platform.services, lookup);
    launcher.show();
    return QApplication::exec();
}
