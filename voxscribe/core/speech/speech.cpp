#include "speech.h"

#include <QtEndian>

#include "speechphonemes.h"

namespace core {
namespace {

constexpr int kBitsPerSample = 16;
constexpr int kChannels = 1;
constexpr int kBytesPerSample = kBitsPerSample / 8 * kChannels;
constexpr qsizetype kWavHeaderSize = 44;

void appendLittleEndian32(QByteArray& bytes, quint32 value) {
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

void appendLittleEndian16(QByteArray& bytes, quint16 value) {
    char le[2];
    qToLittleEndian(value, le);
    bytes.append(le, 2);
}

}  // namespace

platform::SpokenSound soundOfCodes(const platform::EspeakLibrary& library, const QString& codes,
                                   platform::Voice voice) {
    const QString input = speechPhonemes(codes, voice);
    if (input.isEmpty() || !library.ready()) {
        return platform::SpokenSound{{}, library.sampleRate(), {}};
    }
    return library.synthesize(input.toUtf8(), voice);
}

QByteArray wavFile(const platform::SpokenSound& sound) {
    const auto dataSize = quint32(sound.samples.size() * kBytesPerSample);
    QByteArray bytes;
    bytes.reserve(kWavHeaderSize + qsizetype(dataSize));
    bytes.append("RIFF");
    appendLittleEndian32(bytes, 36 + dataSize);
    bytes.append("WAVE");
    bytes.append("fmt ");
    appendLittleEndian32(bytes, 16);  // the size of a PCM format chunk
    appendLittleEndian16(bytes, 1);   // PCM
    appendLittleEndian16(bytes, kChannels);
    appendLittleEndian32(bytes, quint32(sound.sampleRate));
    appendLittleEndian32(bytes, quint32(sound.sampleRate * kBytesPerSample));
    appendLittleEndian16(bytes, kBytesPerSample);
    appendLittleEndian16(bytes, kBitsPerSample);
    bytes.append("data");
    appendLittleEndian32(bytes, dataSize);
    const qsizetype start = bytes.size();
    bytes.resize(start + qsizetype(dataSize));
    qToLittleEndian<qint16>(sound.samples.data(), qsizetype(sound.samples.size()),
                            bytes.data() + start);
    return bytes;
}

Speech::Speech(std::shared_ptr<platform::SoundOutput> output,
               platform::EspeakLibrary::Location location)
    : output_(std::move(output)), location_(std::move(location)) {}

platform::EspeakLibrary& Speech::library() {
    if (library_ == nullptr) {
        library_ = &platform::EspeakLibrary::open(location_);
    }
    return *library_;
}

SpeechProblem Speech::unavailableReason() {
    if (output_ == nullptr || !output_->hasDevice()) {
        return SpeechProblem::NoSoundDevice;
    }
    return library().ready() ? SpeechProblem::None : SpeechProblem::NoEspeak;
}

bool Speech::speak(const QString& codes, platform::Voice voice) {
    if (unavailableReason() != SpeechProblem::None) {
        return false;
    }
    const platform::SpokenSound sound = soundOfCodes(library(), codes, voice);
    if (sound.samples.empty()) {
        return false;
    }
    output_->play(sound);
    return true;
}

void Speech::stop() {
    if (output_ != nullptr) {
        output_->stop();
    }
}

}  // namespace core
