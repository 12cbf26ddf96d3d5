#include "espeaklibrary.h"

#include <dlfcn.h>
#include <espeak-ng/speak_lib.h>

namespace platform {

struct EspeakLibrary::Functions {
    int (*initialize)(espeak_AUDIO_OUTPUT, int, const char*, int) = nullptr;
    espeak_ERROR (*setVoiceByName)(const char*) = nullptr;
    void (*setSynthCallback)(t_espeak_callback*) = nullptr;
    espeak_ERROR (*synth)(const void*, size_t, unsigned int, espeak_POSITION_TYPE, unsigned int,
                          unsigned int, unsigned int*, void*) = nullptr;
    const char* (*textToPhonemes)(const void**, int, int) = nullptr;
};

namespace {

template <typename Function>
bool resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

// British English is eSpeak's voice between calls; a call in the American voice takes it for its
// own length.
class VoiceFor {
public:
    using SetVoice = espeak_ERROR (*)(const char*);

    VoiceFor(SetVoice setVoice, Voice voice)
        : setVoice_(setVoice), switched_(voice == Voice::American) {
        taken_ = !switched_ || setVoice_("en-us") == EE_OK;
    }
    ~VoiceFor() {
        if (switched_ && taken_) {
            setVoice_("en");
        }
    }
    VoiceFor(const VoiceFor&) = delete;
    VoiceFor& operator=(const VoiceFor&) = delete;

    bool taken() const { return taken_; }

private:
    SetVoice setVoice_;
    bool switched_;
    bool taken_ = false;
};

// eSpeak hands each piece of sound to one callback for the whole process; the sound it belongs
// to travels with every event as the caller's data.
int receiveSound(short* samples, int count, espeak_EVENT* events) {
    auto* sound = static_cast<SpokenSound*>(events->user_data);
    if (sound == nullptr) {
        return 0;
    }
    if (samples != nullptr && count > 0) {
        sound->samples.insert(sound->samples.end(), samples, samples + count);
    }
    for (const espeak_EVENT* event = events; event->type != espeakEVENT_LIST_TERMINATED; ++event) {
        if (event->type != espeakEVENT_PHONEME) {
            continue;
        }
        const QByteArray name(event->id.string,
                              qstrnlen(event->id.string, sizeof event->id.string));
        // "_" and "_:" are pauses, not sounds of the word.
        if (!name.isEmpty() && !name.startsWith('_')) {
            sound->phonemes.push_back({QString::fromUtf8(name), event->audio_position});
        }
    }
    return 0;
}

// Every location asked for in this run. eSpeak's state is the process's, and so is this list.
std::vector<std::unique_ptr<EspeakLibrary>>& opened() {
    static std::vector<std::unique_ptr<EspeakLibrary>> libraries;
    return libraries;
}

}  // namespace

EspeakLibrary& EspeakLibrary::open(const Location& location) {
    for (const auto& library : opened()) {
        if (library->location_ == location) {
            return *library;
        }
    }
    opened().push_back(std::unique_ptr<EspeakLibrary>(new EspeakLibrary(location)));
    EspeakLibrary& library = *opened().back();
    library.load();
    return library;
}

EspeakLibrary::EspeakLibrary(Location location)
    : location_(std::move(location)), functions_(std::make_unique<Functions>()) {}

EspeakLibrary::~EspeakLibrary() = default;

void EspeakLibrary::load() {
    // Loaded for the rest of the run: unloading it under a second user would pull it away.
    handle_ = dlopen(location_.library.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    Functions& f = *functions_;
    if (handle_ == nullptr || !resolve(handle_, "espeak_Initialize", f.initialize) ||
        !resolve(handle_, "espeak_SetVoiceByName", f.setVoiceByName) ||
        !resolve(handle_, "espeak_SetSynthCallback", f.setSynthCallback) ||
        !resolve(handle_, "espeak_Synth", f.synth) ||
        !resolve(handle_, "espeak_TextToPhonemes", f.textToPhonemes)) {
        status_ = Status::NoLibrary;
        return;
    }
    // The same library under another name is the same eSpeak, already running on its data.
    for (const auto& other : opened()) {
        if (other.get() != this && other->handle_ == handle_ && other->ready()) {
            if (other->location_.dataFolder != location_.dataFolder) {
                status_ = Status::NoData;
                return;
            }
            sampleRate_ = other->sampleRate_;
            status_ = Status::Ready;
            return;
        }
    }
    const QByteArray data = location_.dataFolder.toLocal8Bit();
    // Sound into memory, handed to our callback while espeak_Synth runs, with the phonemes as
    // events; without DONT_EXIT a missing data file would end the program. eSpeak reports
    // missing data only when the voice cannot be read.
    const int rate =
        f.initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, data.isEmpty() ? nullptr : data.constData(),
                     espeakINITIALIZE_DONT_EXIT | espeakINITIALIZE_PHONEME_EVENTS);
    // "en" is eSpeak's English (Great Britain).
    if (rate <= 0 || f.setVoiceByName("en") != EE_OK) {
        status_ = Status::NoData;
        return;
    }
    f.setSynthCallback(receiveSound);
    sampleRate_ = rate;
    status_ = Status::Ready;
}

QByteArray EspeakLibrary::phonemesOf(const QByteArray& text, int phonemeMode, Voice voice) const {
    QByteArray phonemes;
    if (!ready()) {
        return phonemes;
    }
    const VoiceFor inVoice(functions_->setVoiceByName, voice);
    if (!inVoice.taken()) {
        return phonemes;
    }
    const void* position = text.constData();
    // One call per phrase; a hyphen or an apostrophe does not end one, but be sure to read all.
    while (position != nullptr) {
        const char* names = functions_->textToPhonemes(&position, espeakCHARS_UTF8, phonemeMode);
        if (names == nullptr) {
            break;
        }
        if (!phonemes.isEmpty()) {
            phonemes += ' ';
        }
        phonemes += names;
    }
    return phonemes;
}

SpokenSound EspeakLibrary::synthesize(const QByteArray& text, Voice voice) const {
    SpokenSound sound;
    if (!ready()) {
        return sound;
    }
    sound.sampleRate = sampleRate_;
    const VoiceFor inVoice(functions_->setVoiceByName, voice);
    if (!inVoice.taken()) {
        return sound;
    }
    // The size counts the terminating zero; no pause is added after the text.
    const bool said =
        functions_->synth(text.constData(), size_t(text.size()) + 1, 0, POS_CHARACTER, 0,
                          espeakCHARS_UTF8 | espeakPHONEMES, nullptr, &sound) == EE_OK;
    return said ? sound : SpokenSound{{}, sampleRate_, {}};
}

}  // namespace platform
