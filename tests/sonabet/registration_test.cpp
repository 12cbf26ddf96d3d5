// The server's entry points: exports, registration records, and unloading.
#include <dlfcn.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "component_registry.h"
#include "componentruntime.h"
#include "ipa.h"
#include "process.h"
#include "qtprinters.h"
#include "scopedenv.h"

namespace {

QString registryRecord() {
    return QString::fromStdString(component::userRegistryDir()) + "/sonabet.ipa.component";
}

int runRegcomponent(const QStringList& arguments) {
    return testing_support::runProcess(QStringLiteral(REGCOMPONENT), arguments).status;
}

TEST(Registration, ExportsOnlyTheFourServerEntryPoints) {
    const testing_support::ProcessOutcome nm = testing_support::runProcess(
        QStringLiteral("nm"), {"-D", "--defined-only", QStringLiteral(SONABET_LIBRARY)});
    ASSERT_EQ(nm.status, 0) << nm.err.toStdString();
    QStringList symbols;
    for (const QByteArray& line : nm.out.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 3 && (fields[1] == "T" || fields[1] == "D" || fields[1] == "B" ||
                                   fields[1] == "W" || fields[1] == "V" || fields[1] == "R")) {
            symbols << QString::fromLatin1(fields[2]);
        }
    }
    symbols.sort();
    EXPECT_EQ(symbols, QStringList({"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                    "DllUnregisterServer"}));
}

TEST(Registration, RegisterWritesARecordThatTheRuntimeFollowsAndUnregisterRemovesIt) {
    QFile::remove(registryRecord());
    ASSERT_EQ(runRegcomponent({QStringLiteral(SONABET_LIBRARY)}), 0);
    QFile record(registryRecord());
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(record.readAll());
    record.close();
    EXPECT_TRUE(text.contains("clsid={8C2E4A51-6B0D-4F3A-B8E2-1D5C9A7F3E60}\n"));
    EXPECT_TRUE(text.contains("library=" + QDir(QStringLiteral(SONABET_LIBRARY)).absolutePath()));
    EXPECT_TRUE(text.contains("typelib=sonabet\n"));

    // With no manifest and an empty program folder only the record can lead to the library.
    QTemporaryDir empty;
    platform::ComponentRuntime runtime(empty.path());
    const platform::DispatchObject object = runtime.create(QStringLiteral("sonabet.ipa"));
    ASSERT_FALSE(object.isNull());
    EXPECT_EQ(object.call(QStringLiteral("Qsonabet"), QStringLiteral("quality")),
              QStringLiteral("5kwRliti"));

    ASSERT_EQ(runRegcomponent({QStringLiteral("-u"), QStringLiteral(SONABET_LIBRARY)}), 0);
    EXPECT_FALSE(QFile::exists(registryRecord()));
    platform::ComponentRuntime after(empty.path());
    QString error;
    EXPECT_TRUE(after.create(QStringLiteral("sonabet.ipa"), &error).isNull());
    EXPECT_TRUE(error.contains("not registered"));
}

// Registration folders of the test's own for this process and the programs it starts.
class OwnRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folders.isValid());
        qputenv("COMPONENT_REGISTRY_DIR", user().toLocal8Bit());
        qputenv("COMPONENT_SYSTEM_REGISTRY_DIR", folders.filePath("system").toLocal8Bit());
    }
    QString user() const { return folders.filePath("user"); }
    QString record() const { return user() + "/sonabet.ipa.component"; }
    static bool found(platform::ComponentRuntime& runtime, QString* error = nullptr) {
        const platform::DispatchObject object = runtime.create("sonabet.ipa", error);
        return !object.isNull() && object.call(u"Qsonabet", u"quality") == "5kwRliti";
    }

    QTemporaryDir folders;
    QTemporaryDir empty;  // a program folder without the library
};

TEST_F(OwnRegistry, AClassOnceFoundIsKeptUntilTheNextStart) {
    ASSERT_EQ(runRegcomponent({QStringLiteral(SONABET_LIBRARY)}), 0);
    platform::ComponentRuntime running(empty.path());
    ASSERT_TRUE(found(running));
    ASSERT_EQ(runRegcomponent({QStringLiteral("-u"), QStringLiteral(SONABET_LIBRARY)}), 0);
    ASSERT_FALSE(QFile::exists(record()));
    // The running program goes on with what it found, a fresh object each time; the next start
    // sees the change.
    EXPECT_TRUE(found(running));
    EXPECT_TRUE(found(running));
    platform::ComponentRuntime next(empty.path());
    QString error;
    EXPECT_FALSE(found(next, &error));
    EXPECT_TRUE(error.contains("not registered")) << error.toStdString();
}

TEST_F(OwnRegistry, NoRecordIsReadFromWhereOthersMayWrite) {
    // A permissive umask does not make regcomponent's folder one that others may write.
    const mode_t umaskBefore = umask(0);
    const int registered = runRegcomponent({QStringLiteral(SONABET_LIBRARY)});
    umask(umaskBefore);
    ASSERT_EQ(registered, 0);
    platform::ComponentRuntime safe(empty.path());
    ASSERT_TRUE(found(safe));
    const struct {
        QString path;
        QFile::Permissions extra;
    } unsafe[] = {
        {user(), QFile::WriteOther},          // anybody may put a record in the folder
        {user(), QFile::WriteGroup},          // the group may
        {record(), QFile::WriteOther},        // anybody may change the record
        {folders.path(), QFile::WriteGroup},  // a folder above may be rearranged
    };
    for (const auto& [path, extra] : unsafe) {
        const QFile::Permissions before = QFile::permissions(path);
        ASSERT_TRUE(QFile::setPermissions(path, before | extra));
        platform::ComponentRuntime runtime(empty.path());
        QString error;
        EXPECT_FALSE(found(runtime, &error)) << path.toStdString();
        EXPECT_TRUE(error.contains("may be written by other users")) << error.toStdString();
        // Nor does regcomponent write a record there.
        if (path != record()) {
            QFile::remove(record());
            EXPECT_NE(runRegcomponent({QStringLiteral(SONABET_LIBRARY)}), 0) << path.toStdString();
            EXPECT_FALSE(QFile::exists(record()));
        }
        ASSERT_TRUE(QFile::setPermissions(path, before));
        ASSERT_EQ(runRegcomponent({QStringLiteral(SONABET_LIBRARY)}), 0);
    }
}

TEST(RegistryFolder, WithoutHomeTheUsersFolderComesFromThePasswordDatabase) {
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    std::string folder;
    {
        const testing_support::ScopedEnvironment noRegistry("COMPONENT_REGISTRY_DIR", {});
        const testing_support::ScopedEnvironment noXdg("XDG_DATA_HOME", {});
        const testing_support::ScopedEnvironment noHome("HOME", {});
        folder = component::userRegistryDir();
    }
    EXPECT_EQ(folder, std::string(entry->pw_dir) + "/.local/share/components");
}

TEST(Registration, RegcomponentRejectsWhatIsNotAComponentLibrary) {
    EXPECT_NE(runRegcomponent({}), 0);
    EXPECT_NE(runRegcomponent({QStringLiteral("/nonexistent/libnothing.so")}), 0);
    EXPECT_NE(runRegcomponent({QStringLiteral("libm.so.6")}), 0);
}

TEST(Registration, CanUnloadOnlyWhenNoObjectOrLockIsAlive) {
    void* handle = dlopen(SONABET_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr);
    auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
    auto getClass = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    ASSERT_TRUE(canUnload && getClass);
    EXPECT_EQ(canUnload(), component::kOk);

    component::IClassFactory* factory = nullptr;
    ASSERT_EQ(getClass(&sonabet::kClsidIpa, &component::kIidClassFactory,
                       reinterpret_cast<void**>(&factory)),
              component::kOk);
    factory->lockServer(true);
    EXPECT_EQ(canUnload(), component::kFalse);
    factory->lockServer(false);
    EXPECT_EQ(canUnload(), component::kOk);

    sonabet::_ipa* ipa = nullptr;
    ASSERT_EQ(factory->createInstance(nullptr, sonabet::kIidIpa, reinterpret_cast<void**>(&ipa)),
              component::kOk);
    EXPECT_EQ(canUnload(), component::kFalse);
    // The method table answers like the call by name.
    component::IText* text = nullptr;
    const std::u16string word = u"quarter";
    ASSERT_EQ(ipa->Qsonabet(word.data(), static_cast<std::uint32_t>(word.size()), &text),
              component::kOk);
    EXPECT_EQ(std::u16string(text->data(), text->length()), u"5kwR:tE");
    EXPECT_EQ(canUnload(), component::kFalse);  // the result string is alive too
    text->release();
    ASSERT_EQ(ipa->XYZsonabet(nullptr, 0, &text), component::kOk);
    EXPECT_EQ(text->length(), 0u);
    text->release();
    ipa->release();
    factory->release();
    EXPECT_EQ(canUnload(), component::kOk);

    const component::Guid other{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    void* nothing = nullptr;
    EXPECT_EQ(getClass(&other, &component::kIidClassFactory, &nothing),
              component::kClassNotAvailable);
    EXPECT_EQ(nothing, nullptr);
}

}  // namespace
