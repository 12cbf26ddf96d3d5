#include "fontcheck.h"

#include <fontconfig/fontconfig.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include "programfolder.h"

namespace platform {
namespace {

const QString kFontFile = QStringLiteral("Ksphonet.ttf");

// The user's data folder as the XDG rules give it.
QString userDataFolder() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) {
        return xdg;
    }
    return platform::joinPath(QDir::homePath(), QStringLiteral(".local/share"));
}

}  // namespace

QString systemFontFolder() {
    return platform::joinPath(userDataFolder(), QStringLiteral("fonts")) + QDir::separator();
}

QStringList fontFolders() {
    // A configuration of its own, without scanning fonts: only the folder names are wanted.
    QStringList folders;
    FcConfig* config = FcInitLoadConfig();
    if (config == nullptr) {
        return folders;
    }
    if (FcStrList* dirs = FcConfigGetFontDirs(config)) {
        while (const FcChar8* dir = FcStrListNext(dirs)) {
            folders << QFile::decodeName(reinterpret_cast<const char*>(dir));
        }
        FcStrListDone(dirs);
    }
    FcConfigDestroy(config);
    return folders;
}

bool phoneticFontInstalled() {
    // fontconfig reads the folders below its folders too, as font packages install them.
    for (const QString& folder : fontFolders()) {
        QDirIterator files(folder, {kFontFile}, QDir::Files | QDir::CaseSensitive,
                           QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (files.hasNext()) {
            if (files.nextFileInfo().fileName() == kFontFile) {
                return true;
            }
        }
    }
    return false;
}

QString missingFontMessage(const platform::ProgramFolder& folder, bool forLauncher) {
    const QString restart =
        forLauncher ? QStringLiteral("请把它复制到系统字体目录下后重启本程序，以免显示不正常！:")
                    : QStringLiteral("请把它复制到系统字体目录下后重启本程序:");
    return QStringLiteral(
               "程序在系统字体文件夹中没有找到金山公司的Kphonet.ttf音标字体!本程序需要这个文件,"
               "以显示音标。") +
           QLatin1Char('\n') +
           QStringLiteral("您可从金山公司网站下载，也可在本程序所在的文件夹下找到它:") +
           folder.file(kFontFile) + QLatin1Char('\n') + restart + QLatin1Char('\n') +
           systemFontFolder();
}

}  // namespace platform
