// A font folder of the test's own: fontconfig reads only the user's font folder below a folder of
// the test's, with or without the phonetic font file in it, for as long as the object lives.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "files.h"
#include "scopedenv.h"

namespace testing_support {

class FontFolder {
public:
    explicit FontFolder(bool withPhoneticFont)
        : config_("FONTCONFIG_FILE", QFile::encodeName(root_.filePath("fonts.conf"))),
          data_("XDG_DATA_HOME", QFile::encodeName(root_.filePath("data"))) {
        QDir().mkpath(path());
        QFile conf(root_.filePath("fonts.conf"));
        if (conf.open(QIODevice::WriteOnly)) {
            conf.write(QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM "
                                      "\"fonts.dtd\">\n<fontconfig><dir prefix=\"xdg\">fonts</dir>"
                                      "<cachedir>%1</cachedir></fontconfig>\n")
                           .arg(root_.filePath("cache").toHtmlEscaped())
                           .toUtf8());
        }
        if (withPhoneticFont) {
            touch(QDir(path()).filePath(QStringLiteral("Ksphonet.ttf")));
        }
    }
    FontFolder(const FontFolder&) = delete;
    FontFolder& operator=(const FontFolder&) = delete;

    // The user's font folder, which the missing-font warning names.
    QString path() const { return root_.filePath(QStringLiteral("data/fonts")); }

private:
    QTemporaryDir root_;
    ScopedEnvironment config_;
    ScopedEnvironment data_;
};

}  // namespace testing_support
