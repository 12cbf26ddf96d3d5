#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

#include "componentruntime.h"
#include "dialogs.h"
#include "ipa.h"
#include "programfolder.h"
#include "services.h"

int main(int argc, char** argv) {
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

    QWidget launcher;
    launcher.setWindowTitle(QStringLiteral("Voxscribe V 3.0"));
    launcher.show();
    return QApplication::exec();
}
