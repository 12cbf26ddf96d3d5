#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "files.h"
#include "fontcheck.h"
#include "programfolder.h"
#include "qtprinters.h"
#include "scopedenv.h"

namespace {

using ScopedEnv = testing_support::ScopedEnvironment;
using testing_support::touch;

// fontconfig's configuration for one test: a system-wide folder of its own and the xdg font
// folders, which the test points at folders of its own.
void writeFontConfig(const QString& path, const QString& systemFolder, const QString& cache) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                       "<fontconfig><dir>%1</dir><dir prefix=\"xdg\">fonts</dir>"
                       "<cachedir>%2</cachedir></fontconfig>\n")
            .arg(systemFolder.toHtmlEscaped(), cache.toHtmlEscaped())
            .toUtf8());
}

TEST(FontCheck, LooksForTheExactFileNameInTheFoldersFontconfigReads) {
    QTemporaryDir root;
    const QString system = root.filePath("system-fonts");
    const QString data = root.filePath("data");
    writeFontConfig(root.filePath("fonts.conf"), system, root.filePath("cache"));
    const ScopedEnv config("FONTCONFIG_FILE", QFile::encodeName(root.filePath("fonts.conf")));
    const ScopedEnv xdg("XDG_DATA_HOME", QFile::encodeName(data));
    // The xdg folders include the shared data folders' fonts, such as /usr/share/fonts.
    const ScopedEnv xdgShared("XDG_DATA_DIRS", QFile::encodeName(root.filePath("shared")));
    const ScopedEnv home("HOME", QFile::encodeName(root.filePath("home")));

    EXPECT_EQ(platform::fontFolders(),
              (QStringList{system, data + "/fonts", root.filePath("shared/fonts")}));
    EXPECT_EQ(platform::systemFontFolder(), data + "/fonts/");  // where the warning says to copy it
    EXPECT_FALSE(platform::phoneticFontInstalled());
    ASSERT_TRUE(touch(system + "/truetype/other/ksphonet.ttf"));  // only the exact name counts
    EXPECT_FALSE(platform::phoneticFontInstalled());

    // Installed for every user, in a folder below the system-wide one, as the package does.
    ASSERT_TRUE(touch(system + "/truetype/voxscribe/Ksphonet.ttf"));
    EXPECT_TRUE(platform::phoneticFontInstalled());
    ASSERT_TRUE(QDir(system).removeRecursively());
    EXPECT_FALSE(platform::phoneticFontInstalled());

    // Installed by the user alone.
    ASSERT_TRUE(touch(data + "/fonts/Ksphonet.ttf"));
    EXPECT_TRUE(platform::phoneticFontInstalled());

    const ScopedEnv noXdg("XDG_DATA_HOME", {});
    EXPECT_EQ(platform::systemFontFolder(), QDir::homePath() + "/.local/share/fonts/");
}

TEST(FontCheck, MessagesNameTheShippedFileAndTheFontFolder) {
    const ScopedEnv data("XDG_DATA_HOME", "/tmp/data");
    const platform::ProgramFolder folder = platform::ProgramFolder::at("/opt/voxscribe");
    EXPECT_EQ(platform::missingFontMessage(folder, true),
              QStringLiteral("程序在系统字体文件夹中没有找到金山公司的Kphonet.ttf音标字体!"
                             "本程序需要这个文件,以显示音标。\n"
                             "您可从金山公司网站下载，也可在本程序所在的文件夹下找到它:"
                             "/opt/voxscribe/Ksphonet.ttf\n"
                             "请把它复制到系统字体目录下后重启本程序，以免显示不正常！:\n"
                             "/tmp/data/fonts/"));
    EXPECT_EQ(platform::missingFontMessage(folder, false),
              QStringLiteral("程序在系统字体文件夹中没有找到金山公司的Kphonet.ttf音标字体!"
                             "本程序需要这个文件,以显示音标。\n"
                             "您可从金山公司网站下载，也可在本程序所在的文件夹下找到它:"
                             "/opt/voxscribe/Ksphonet.ttf\n"
                             "请把它复制到系统字体目录下后重启本程序:\n"
                             "/tmp/data/fonts/"));
}

}  // namespace
