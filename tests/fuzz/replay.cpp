// Runs a fuzz target's checks once over every file of the folders (or files) given, without
// libFuzzer, so that the ordinary and the sanitizer builds exercise them too.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo given(QString::fromLocal8Bit(argv[i]));
        QStringList paths;
        if (given.isDir()) {
            const QDir dir(given.filePath());
            for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
                paths << dir.filePath(name);
            }
        } else {
            paths << given.filePath();
        }
        for (const QString& path : paths) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(path));
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   std::size_t(bytes.size()));
            ++inputs;
        }
    }
    std::fprintf(stderr, "%d inputs passed\n", inputs);
    // A seed corpus that went missing must not pass as "nothing failed".
    return inputs > 0 ? 0 : 1;
}
