// The build's program folder and dictionary, and a user who is not there: for the tests, the
// benchmarks and the fuzz targets alike (no GoogleTest needed).
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <optional>

#include "componentruntime.h"
#include "dialogs.h"
#include "ipa.h"
#include "programfolder.h"
#include "services.h"

namespace testing_support {

// The folder where the build puts the program and its library.
inline QString buildProgramFolder() {
    return QStringLiteral(VOXSCRIBE_PROGRAM_DIR);
}

inline void addDictionaryManifest(platform::ComponentRuntime& runtime) {
    runtime.addManifest(QString::fromLatin1(sonabet::kProgId), sonabet::kClsidIpa,
                        QStringLiteral("libsonabet.so"));
}

// Nobody at the keyboard: every box takes its default button (or yesNoCancel, when set, for a
// yes/no/cancel question), every open dialog is cancelled, a save dialog answers saveName (empty:
// cancelled), and the shell opens nothing. Counts the boxes shown.
class NoUser final : public platform::MessageBoxes,
                     public platform::FileDialogs,
                     public platform::ShellOpener {
public:
    platform::Answer show(QWidget*, const QString&, platform::Icon, platform::Buttons buttons,
                          platform::Answer defaultButton) override {
        ++messages;
        return buttons == platform::Buttons::YesNoCancel && yesNoCancel ? *yesNoCancel
                                                                        : defaultButton;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return saveName;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void open(QWidget*, const QString&) override {}

    std::optional<platform::Answer> yesNoCancel;
    QString saveName;
    int messages = 0;
};

// A program folder of its own, the dictionary library of componentFolder (the build's by
// default), and nobody at the keyboard.
struct Unattended {
    explicit Unattended(const QString& componentFolder = buildProgramFolder())
        : runtime(componentFolder) {
        addDictionaryManifest(runtime);
    }
    QTemporaryDir dir;
    platform::ComponentRuntime runtime;
    NoUser user;
    platform::Services services{platform::ProgramFolder::at(dir.path()), runtime, user, user, user};
};

}  // namespace testing_support
