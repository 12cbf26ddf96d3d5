#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>

namespace {

// ctest starts every test in a process of its own and runs several side by side. Each process
// gets a home, data, runtime and component registry folders of its own, so that a test that
// registers the dictionary or writes below HOME is never seen by another test running at the
// same time, and nothing of the user running the tests is read or changed. Programs that a
// test starts inherit them.
class PrivateFolders {
public:
    PrivateFolders() {
        if (!root_.isValid()) {
            qFatal("cannot create the test's private folders: %s", qPrintable(root_.errorString()));
        }
        const QDir root(root_.path());
        use("HOME", root.filePath(QStringLiteral("home")));
        use("XDG_DATA_HOME", root.filePath(QStringLiteral("home/data")));
        use("XDG_CONFIG_HOME", root.filePath(QStringLiteral("home/config")));
        use("XDG_CACHE_HOME", root.filePath(QStringLiteral("home/cache")));
        use("COMPONENT_REGISTRY_DIR", root.filePath(QStringLiteral("registry/user")));
        use("COMPONENT_SYSTEM_REGISTRY_DIR", root.filePath(QStringLiteral("registry/system")));
        // Qt insists on a runtime folder only its owner may enter.
        const QString runtime = root.filePath(QStringLiteral("runtime"));
        use("XDG_RUNTIME_DIR", runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    void use(const char* name, const QString& folder) {
        if (!QDir().mkpath(folder)) {
            qFatal("cannot create %s", qPrintable(folder));
        }
        qputenv(name, QFile::encodeName(folder));
    }

    QTemporaryDir root_;
};

}  // namespace

int main(int argc, char** argv) {
    const PrivateFolders folders;
    // Windows are real but never reach a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Qt's raster engine paints some areas (the progress bar of the batch window, for one) on
    // the global thread pool, whose idle threads stay until the pool goes. Left to the pool's
    // destruction at exit, a thread may still be ending while LeakSanitizer looks, and its thread
    // data shows as lost. End them here, while the application is still up.
    QThreadPool::globalInstance()->waitForDone();
    return result;
}
