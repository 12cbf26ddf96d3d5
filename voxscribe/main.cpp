#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "componentruntime.h"
#include "dialogs.h"
#include "frmstep1.h"
#include "ipa.h"
#include "lookupclient.h"
#include "programfolder.h"
#include "services.h"

int main(int argc, char** argv) {
    // Command-line batch run, step 1 (no window, so no display needed): goes here.

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("voxscribe"));

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

    // Command-line batch run, step 2 (when the arguments ask for it, it returns its exit status
    // here instead of opening the windows): goes here.

    smart::LookupClient lookup(services);
    // The launcher owns the working windows, so they go with it when the program ends.
    shell::Frmstep1 launcher(services, lookup);
    launcher.show();
    return QApplication::exec();
}
