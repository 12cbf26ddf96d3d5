// A transcription spoken into a WAV file: a file that sox reads as the sound of the codes, and
// no file at all when there is nothing to write.
#include <gtest/gtest.h>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include "espeaklibrary.h"
#include "files.h"
#include "process.h"
#include "qtprinters.h"
#include "speech.h"
#include "speechfile.h"
#include "standins.h"

namespace {

using testing_support::readBytes;

QString soxi(const QString& option, const QString& path) {
    return QString::fromUtf8(
               testing_support::runProcess(QStringLiteral("soxi"), {option, path}).out)
        .trimmed();
}

TEST(SpeechFile, WritesTheSoundOfTheCodesAsAWavFile) {
    REQUIRE_ESPEAK();
    const platform::EspeakLibrary& espeak = platform::EspeakLibrary::open();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quality.wav"));
    QString error;
    ASSERT_EQ(core::saveSpeech(path, QStringLiteral("5kwRliti"), &error), core::SpeechProblem::None)
        << error.toStdString();
    const QByteArray wav = readBytes(path);
    ASSERT_GT(wav.size(), 44);
    const auto u32 = [&wav](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
    const auto u16 = [&wav](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
    EXPECT_EQ(wav.first(4), "RIFF");
    EXPECT_EQ(u32(4), quint32(wav.size() - 8));
    EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u16(22), 1u);
    EXPECT_EQ(u32(24), quint32(espeak.sampleRate()));
    EXPECT_EQ(u16(34), 16u);
    EXPECT_EQ(u32(40), quint32(wav.size() - 44));
    const double seconds = double(u32(40)) / 2 / espeak.sampleRate();
    EXPECT_GE(seconds, 0.3);
    EXPECT_LE(seconds, 1.5);
    // The same file through a WAV reader of its own.
    if (QStandardPaths::findExecutable(QStringLiteral("soxi")).isEmpty()) {
        GTEST_SKIP() << "sox is not installed";
    }
    EXPECT_EQ(soxi(QStringLiteral("-t"), path), "wav");
    EXPECT_EQ(soxi(QStringLiteral("-r"), path), QString::number(espeak.sampleRate()));
    EXPECT_EQ(soxi(QStringLiteral("-c"), path), "1");
    EXPECT_EQ(soxi(QStringLiteral("-b"), path), "16");
    EXPECT_EQ(soxi(QStringLiteral("-s"), path), QString::number((wav.size() - 44) / 2));
}

struct FailureCase {
    const char* name;
    const char* codes;
    const char* library;
    const char* file;  // in the test's folder
    core::SpeechProblem problem;
    QString error;  // how the message of a file not written begins
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c) {
    return out << c.name;
}

class SpeechFileFails : public testing::TestWithParam<FailureCase> {};

// A failure says why and leaves what was there as it was.
TEST_P(SpeechFileFails, SaysWhyAndWritesNothing) {
    const FailureCase& c = GetParam();
    if (c.problem != core::SpeechProblem::NoEspeak) {
        REQUIRE_ESPEAK();
    }
    QTemporaryDir dir;
    const QString existing = testing_support::writeFile(dir.path(), "old.wav", "old");
    const QString path = dir.filePath(QString::fromUtf8(c.file));
    QString error;
    EXPECT_EQ(core::saveSpeech(path, QString::fromUtf8(c.codes), &error,
                               {QString::fromUtf8(c.library), QString()}),
              c.problem);
    EXPECT_TRUE(error.startsWith(c.error)) << error.toStdString();
    EXPECT_EQ(readBytes(existing), "old");
    if (path != existing) {
        EXPECT_FALSE(QFile::exists(path));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpeechFileFails,
    testing::Values(FailureCase{"no_espeak", "5kwRliti", "/nonexistent/libespeak-ng.so.1",
                                "old.wav", core::SpeechProblem::NoEspeak, QString()},
                    FailureCase{"nothing_to_say", "(h)", "libespeak-ng.so.1", "old.wav",
                                core::SpeechProblem::NothingToSay, QString()},
                    FailureCase{"no_folder", "5kwRliti", "libespeak-ng.so.1", "missing/a.wav",
                                core::SpeechProblem::FileNotWritten,
                                QStringLiteral("文件夹不存在")}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
