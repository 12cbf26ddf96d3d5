// A test's own program folder and services: a temporary folder, the component runtime with the
// dictionary library of the build, and the stand-ins.
#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "componentruntime.h"
#include "nouser.h"
#include "programfolder.h"
#include "services.h"
#include "standins.h"

namespace testing_support {

struct TestEnvironment {
    // componentFolder: where the runtime looks for libsonabet.so; the build's by default.
    explicit TestEnvironment(const QString& componentFolder = buildProgramFolder())
        : runtime(componentFolder),
          services{platform::ProgramFolder::at(dir.path()), runtime, messages, files, shell} {
        addDictionaryManifest(runtime);
        forgetRememberedChoices();
    }
    // A window's choice remembered in one test is not the next test's.
    ~TestEnvironment() { forgetRememberedChoices(); }
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    static void forgetRememberedChoices() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("voxscribe"),
                  QStringLiteral("voxscribe"))
            .clear();
    }

    QString file(const QString& name) const { return services.folder.file(name); }
    // The same runtime and stand-ins with another program folder (a full or read-only disk).
    platform::Services withFolder(const QString& folder) {
        return {platform::ProgramFolder::at(folder), runtime, messages, files, shell};
    }

    QTemporaryDir dir;
    platform::ComponentRuntime runtime;
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs files;
    RecordingOpener shell;
    platform::Services services;
};

}  // namespace testing_support
