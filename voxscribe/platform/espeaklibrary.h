// eSpeak NG's library, shared by the suggestions (its reading of a spelling) and speech (its
// voice). eSpeak keeps its state in the process, so it is loaded and initialised once per run:
// at the first use rather than at start-up, since most sessions never need it; never unloaded
// or terminated, since initialising it again after termination can hang. Use it from one thread.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

namespace platform {

// A phoneme eSpeak spoke: its name (eSpeak's mnemonic, "0" for the vowel of "quality") and
// where it starts in the sound.
struct SpokenPhoneme {
    QString name;
    int startMs = 0;
    bool operator==(const SpokenPhoneme&) const = default;
};

// Sound made into memory: 16-bit mono samples at eSpeak's rate, and the phonemes in it (pauses
// left out).
struct SpokenSound {
    std::vector<qint16> samples;
    int sampleRate = 0;
    QList<SpokenPhoneme> phonemes;

    double seconds() const { return sampleRate > 0 ? double(samples.size()) / sampleRate : 0.0; }
};

// The voice that speaks: eSpeak's English (Great Britain) or English (America).
enum class Voice { British, American };

// Where eSpeak NG is: its library and its data.
struct EspeakLocation {
    QString library = QStringLiteral("libespeak-ng.so.1");
    QString dataFolder;  // the folder of eSpeak's data files; empty for its own place
    bool operator==(const EspeakLocation&) const = default;
};

class EspeakLibrary {
public:
    using Location = EspeakLocation;
    enum class Status { Ready, NoLibrary, NoData };

    // The process's eSpeak at location, loaded and initialised with its British English voice at
    // the first call for that location. eSpeak holds one data folder at a time: once it runs on
    // one, a location with another folder of the same library reports NoData.
    static EspeakLibrary& open(const Location& location = {});

    EspeakLibrary(const EspeakLibrary&) = delete;
    EspeakLibrary& operator=(const EspeakLibrary&) = delete;
    ~EspeakLibrary();

    Status status() const { return status_; }
    bool ready() const { return status_ == Status::Ready; }
    // Samples per second of what synthesize() makes; 0 unless ready.
    int sampleRate() const { return sampleRate_; }

    // The phonemes of every phrase of UTF-8 text read in voice, as espeak_TextToPhonemes gives
    // them, joined by blanks. Empty unless ready or when eSpeak refuses the voice.
    QByteArray phonemesOf(const QByteArray& text, int phonemeMode,
                          Voice voice = Voice::British) const;

    // The sound of UTF-8 text, in which eSpeak phoneme input between "[[" and "]]" is spoken as
    // written, in voice. Empty samples unless ready or when eSpeak refuses the text or the voice.
    // The British voice is the library's own between calls, which the suggestions read with.
    SpokenSound synthesize(const QByteArray& text, Voice voice = Voice::British) const;

private:
    struct Functions;

    explicit EspeakLibrary(Location location);
    void load();

    Location location_;
    Status status_ = Status::NoLibrary;
    void* handle_ = nullptr;
    int sampleRate_ = 0;
    std::unique_ptr<Functions> functions_;
};

}  // namespace platform
