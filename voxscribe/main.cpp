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

int main(int argc, char** argv) {
    // A write past the file-size limit then fails like a full disk, and the save says so,
    // instead of the signal ending the program with the document unsaved.
    std::signal(SIGXFSZ, SIG_IGN);

    // A command-line batch run shows no window, so it needs no display.
    batch::prepareCommandLine(argc, argv);

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

    platform::ProgramFolder folder = platform::ProgramFolder::ofApplication();
    platform::ComponentRuntime components(folder.path());
    components.addManifest(QString::fromLatin1(sonabet::kProgId), sonabet::kClsidIpa,
                           QStringLiteral("libsonabet.so"));
    platform::QtMessageBoxes messages;
    platform::QtFileDialogs files;
    platform::DesktopOpener shell;
    platform::Services services{folder, components, messages, files, shell};

    // "--batch" and "--help" run without the windows and end here.
    if (const std::optional<int> status =
            batch::runCommandLine(QApplication::arguments(), services)) {
        return *status;
    }

    smart::LookupClient lookup(services);
    // The launcher owns the working windows, so they go with it when the program ends.
    shell::Frmstep1 launcher(services, lookup);
    launcher.show();
    return QApplication::exec();
}
