// Running a program as a process of its own: the built program copied into a folder of the
// test's own, regcomponent, LibreOffice.
#pragma once

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "testenv.h"

namespace testing_support {

struct ProcessOutcome {
    bool finished = false;  // it ended within the time allowed (it is killed otherwise)
    bool crashed = false;
    int status = -1;  // the exit status; -1 when it did not end normally
    QByteArray out;
    QString err;
};

inline ProcessOutcome runProcess(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
    int timeoutMs = 60000, const QByteArray& standardInput = {}) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.write(standardInput);
    process.closeWriteChannel();
    ProcessOutcome outcome;
    outcome.finished = process.waitForFinished(timeoutMs);
    if (!outcome.finished) {
        process.kill();
        process.waitForFinished();
    }
    outcome.crashed = process.exitStatus() != QProcess::NormalExit;
    outcome.status = outcome.finished && !outcome.crashed ? process.exitCode() : -1;
    outcome.out = process.readAllStandardOutput();
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

// The built program and its dictionary library copied into a folder of the test's own, so that
// its miss log is the test's too, with a component registry of its own.
class ProgramCopy {
public:
    ProgramCopy() {
        for (const char* name : {"voxscribe", "libsonabet.so"}) {
            const QString from = buildProgramFolder() + u'/' + QLatin1String(name);
            if (!QFile::copy(from, folder_.filePath(name))) {
                error_ += from + QStringLiteral(" could not be copied. ");
            }
        }
        QFile::setPermissions(program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool ready() const { return folder_.isValid() && registry_.isValid() && error_.isEmpty(); }
    std::string error() const { return error_.toStdString(); }
    QString program() const { return folder_.filePath(QStringLiteral("voxscribe")); }
    QString file(const QString& name) const { return folder_.filePath(name); }

    // No registered component of the machine may stand in for the copied library, and the run
    // must not need a display: with a platform that does not exist a graphical application could
    // not even start.
    QProcessEnvironment environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("COMPONENT_REGISTRY_DIR"), registry_.filePath("user"));
        environment.insert(QStringLiteral("COMPONENT_SYSTEM_REGISTRY_DIR"),
                           registry_.filePath("system"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return environment;
    }

    ProcessOutcome run(const QStringList& arguments, int timeoutMs = 60000) const {
        return runProcess(program(), arguments, environment(), timeoutMs);
    }

private:
    QTemporaryDir folder_;
    QTemporaryDir registry_;
    QString error_;
};

}  // namespace testing_support
