// A transcription said aloud: our codes as eSpeak NG phonemes, eSpeak's sound of them in
// memory, and the service that plays it or says why it cannot. No sound is ever played here:
// the sound output is a stand-in, or the real one where there is no device.
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "espeakcodes.h"
#include "espeaklibrary.h"
#include "notation.h"
#include "qtprinters.h"
#include "soundoutput.h"
#include "speech.h"
#include "speechphonemes.h"
#include "standins.h"
#include "suggestion.h"

namespace {

using platform::EspeakLibrary;
using testing_support::phonemeNames;

const EspeakLibrary& espeak() {
    return EspeakLibrary::open();
}

QStringList mnemonics(std::string_view phonemes) {
    return QString::fromLatin1(phonemes.data(), qsizetype(phonemes.size())).split(u'|');
}

// The suggestion's codes for one of eSpeak's phoneme names.
QString suggestionCodes(const QString& name) {
    for (const core::EspeakPhoneme& phoneme : core::espeakPhonemes()) {
        if (QLatin1String(phoneme.name.data(), qsizetype(phoneme.name.size())) == name) {
            return QString::fromLatin1(phoneme.first.data(), qsizetype(phoneme.first.size())) +
                   QString::fromLatin1(phoneme.second.data(), qsizetype(phoneme.second.size()));
        }
    }
    return QStringLiteral("?");
}

// Every vowel and consonant, as the keyboards and as the dictionary write it, is said with the
// phonemes that the suggestion reads back as the dictionary's code of that sound.
TEST(SpeechPhonemes, EveryVowelAndConsonantComesBackThroughTheSuggestionsTable) {
    int checked = 0;
    for (const sonabet::notation::Code& code : sonabet::notation::codes()) {
        using sonabet::notation::Kind;
        if (code.kind != Kind::Vowel && code.kind != Kind::Consonant &&
            code.kind != Kind::ConsonantKey) {
            continue;
        }
        for (const std::string& written : {code.keyboard, code.dictionary}) {
            const QString input = core::speechPhonemes(QString::fromStdString(written));
            ASSERT_TRUE(input.startsWith("[[") && input.endsWith("]]")) << written;
            QString readBack;
            for (const QString& name : input.mid(2, input.size() - 4).split(u'|')) {
                readBack += suggestionCodes(name);
            }
            EXPECT_EQ(readBack.toStdString(), code.dictionary)
                << written << " said " << input.toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 2 * (28 + 20));
}

struct FormCase {
    const char* codes;
    const char* input;  // the phoneme input for eSpeak
    platform::Voice voice = platform::Voice::British;
};

std::ostream& operator<<(std::ostream& out, const FormCase& c) {
    return out << '"' << c.codes << '"';
}

class SpeechPhonemesOfForm : public testing::TestWithParam<FormCase> {};

TEST_P(SpeechPhonemesOfForm, SaysTheFirstPronunciationAsWritten) {
    EXPECT_EQ(core::speechPhonemes(QString::fromUtf8(GetParam().codes), GetParam().voice),
              QString::fromUtf8(GetParam().input));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SpeechPhonemesOfForm,
    testing::Values(
        // The stress mark stays before the syllable; eSpeak puts it on the syllable's vowel.
        FormCase{"5kwRliti", "[['k|w|0|l|I|t|i]]"},
        FormCase{"E,kRmE5deiFEn", "[[@|,k|0|m|@|'d|eI|S|@|n]]"},
        FormCase{"E7kCmE5deiFEn", "[[@|,k|0|m|@|'d|eI|S|@|n]]"},  // the keyboards' codes
        FormCase{"/,Ani5vE:sEri/", "[[,a|n|I|'v|3:|s|@|r|i]]"},
        // Several pronunciations: the first.
        FormCase{"/TE, Ti/", "[[D|@]]"}, FormCase{"/ klEuz, klEus/", "[[k|l|oU|z]]"},
        FormCase{"5AbsEnt, Eb5sent", "[['a|b|s|@|n|t]]"},
        FormCase{"/fai5nAns, fi-/", "[[f|aI|'n|a|n|s]]"},
        // A slash that is the vowel of "air", not a delimiter.
        FormCase{"/E", "[[e@]]"}, FormCase{"k/E", "[[k|e@]]"},
        FormCase{"/5d/Ez, ,d/E/", "[['d|e@|z]]"},
        // Words of a phrase; a blank at the start.
        FormCase{"5nju: 5zi:lEnd", "[['n|j|u: 'z|i:|l|@|n|d]]"},
        FormCase{"get\uFF0CQp", "[[g|E|t V|p]]"}, FormCase{" blaind", "[[b|l|aI|n|d]]"},
        // Optional sounds left out, hyphens passed over.
        FormCase{"5flu(:)id", "[['f|l|U|I|d]]"}, FormCase{"(h)witF", "[[w|I|tS]]"},
        FormCase{"5RnwEd(z)", "[['0|n|w|@|d]]"}, FormCase{"5aut-luk", "[['aU|t|l|U|k]]"},
        // A schwa before a vowel without eSpeak's linking r; a length mark on a long vowel.
        FormCase{"5meVEE", "[['m|E|Z|@-|@]]"}, FormCase{"Ant5B:ktik", "[[a|n|t|'A:|k|t|I|k]]"},
        FormCase{"5mouldi", "[['m|oU|l|d|i]]"}, FormCase{"fju:", "[[f|j|u:]]"},
        // A diphthong into a schwa before a longer vowel: "radio", "medieval".
        FormCase{"5reidiEu", "[['r|eI|d|I|oU]]"},
        FormCase{",mediE:5vi:l", "[[,m|E|d|I|3:|'v|i:|l]]"},
        // American codes: their diphthongs whole; for the American voice the r-coloured vowels
        // are its own, without a second r.
        FormCase{"5kwB:lEti", "[['k|w|A:|l|@|t|i]]", platform::Voice::American},
        FormCase{"b\\:rd", "[[b|3:|d]]", platform::Voice::American},
        FormCase{"5betEr", "[['b|E|t|3]]", platform::Voice::American},
        FormCase{"goJ praIs maJW tFRIs feIs", "[[g|oU p|r|aI|s m|aU|T tS|OI|s f|eI|s]]",
                 platform::Voice::American},
        FormCase{"5betEr", "[['b|E|t|@|r]]"},
        // A schwa before the American vowels links without an r too.
        FormCase{"tE5B:", "[[t|@-|'A:]]", platform::Voice::American},
        FormCase{"tEIt", "[[t|@-|I|t]]"},
        FormCase{"tE\\:r", "[[t|@-|3:]]", platform::Voice::American},
        FormCase{"tEoJ", "[[t|@-|oU]]", platform::Voice::American},
        // Nothing to say.
        FormCase{"", ""}, FormCase{"5", ""}, FormCase{"/ /", ""}, FormCase{"(E)", ""},
        FormCase{"123", ""}));

// Every code speech knows begins a vowel or a consonant of the notation, which tells whether a
// schwa before it links.
TEST(SpeechPhonemes, EveryCodeSaidIsAVowelOrAConsonantOfTheNotation) {
    using sonabet::notation::SoundClass;
    for (const core::CodeSound& sound : core::codeSounds()) {
        const SoundClass soundClass = sonabet::notation::soundClassOf(char32_t(sound.code[0]));
        EXPECT_TRUE(soundClass == SoundClass::Vowel || soundClass == SoundClass::Consonant)
            << sound.code;
    }
}

// eSpeak speaks every phoneme of the table, the rare symbols' included: a name its British voice
// lacks would be dropped without a word.
TEST(SpeechSynthesis, EspeakSpeaksEveryPhonemeOfTheTable) {
    REQUIRE_ESPEAK();
    for (const core::CodeSound& sound : core::codeSounds()) {
        for (std::string_view phonemes : {sound.phonemes, sound.beforeVowel, sound.atWordEnd}) {
            if (phonemes.empty()) {
                continue;
            }
            const QString input =
                QStringLiteral("[[%1]]").arg(QLatin1String(phonemes.data(), phonemes.size()));
            EXPECT_EQ(phonemeNames(espeak().synthesize(input.toUtf8())), mnemonics(phonemes))
                << sound.code;
        }
    }
}

int durationOf(const platform::SpokenSound& sound, const QString& name) {
    const auto& phonemes = sound.phonemes;
    for (qsizetype i = 0; i + 1 < phonemes.size(); ++i) {
        if (phonemes[i].name == name) {
            return phonemes[i + 1].startMs - phonemes[i].startMs;
        }
    }
    return -1;
}

TEST(SpeechSynthesis, QualityIsSaidAsItsCodesWithTheStressWhereTheMarkStands) {
    REQUIRE_ESPEAK();
    const platform::SpokenSound quality = core::soundOfCodes(espeak(), QStringLiteral("5kwRliti"));
    EXPECT_EQ(quality.sampleRate, espeak().sampleRate());
    EXPECT_GE(quality.seconds(), 0.3);
    EXPECT_LE(quality.seconds(), 1.5);
    double energy = 0;
    for (const qint16 sample : quality.samples) {
        energy += double(sample) * double(sample);
    }
    EXPECT_GT(std::sqrt(energy / double(std::max<std::size_t>(quality.samples.size(), 1))), 500.0);
    EXPECT_EQ(phonemeNames(quality), QStringList({"k", "w", "0", "l", "I", "t", "i"}));
    // A stressed vowel is held longer: moving our mark moves the longer vowel with it.
    const platform::SpokenSound moved = core::soundOfCodes(espeak(), QStringLiteral("kwRl5iti"));
    EXPECT_GT(durationOf(quality, "0"), durationOf(moved, "0"));
    EXPECT_LT(durationOf(quality, "I"), durationOf(moved, "I"));
}

TEST(SpeechSynthesis, WavFileHasAPcmHeaderForTheSamples) {
    const platform::SpokenSound sound{{0, 1000, -1000, 32767, -32768}, 22050, {}};
    const QByteArray wav = core::wavFile(sound);
    ASSERT_EQ(wav.size(), 44 + 10);
    const auto u32 = [&wav](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
    const auto u16 = [&wav](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
    EXPECT_EQ(wav.first(4), "RIFF");
    EXPECT_EQ(u32(4), 36u + 10u);
    EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u32(16), 16u);
    EXPECT_EQ(u16(20), 1u);  // PCM
    EXPECT_EQ(u16(22), 1u);  // one channel
    EXPECT_EQ(u32(24), 22050u);
    EXPECT_EQ(u32(28), 44100u);
    EXPECT_EQ(u16(32), 2u);
    EXPECT_EQ(u16(34), 16u);
    EXPECT_EQ(wav.mid(36, 4), "data");
    EXPECT_EQ(u32(40), 10u);
    EXPECT_EQ(qFromLittleEndian<qint16>(wav.constData() + 50), 32767);
    EXPECT_EQ(qFromLittleEndian<qint16>(wav.constData() + 52), -32768);
}

// Both users of eSpeak share one initialisation, and synthesis leaves the suggestion working.
TEST(SpeechSynthesis, SharesTheSuggestionsEspeak) {
    REQUIRE_ESPEAK();
    EXPECT_EQ(&EspeakLibrary::open(), &espeak());
    EXPECT_FALSE(core::soundOfCodes(espeak(), QStringLiteral("5kwRliti")).samples.empty());
    core::EspeakSuggestion suggestion;
    EXPECT_EQ(suggestion.suggest(QStringLiteral("quality")), "5kwRliti");
    EXPECT_FALSE(core::soundOfCodes(espeak(), QStringLiteral("5kwRliti")).samples.empty());
    // Another data folder for the running eSpeak cannot be had without initialising it again.
    QTemporaryDir otherData;
    EXPECT_EQ(EspeakLibrary::open({QStringLiteral("libespeak-ng.so.1"), otherData.path()}).status(),
              EspeakLibrary::Status::NoData);
}

using StandInOutput = testing_support::RecordingSound;

TEST(Speech, LoadsEspeakAtTheFirstWordAndPlaysItsSound) {
    if (testing_support::espeakLoaded()) {
        GTEST_SKIP() << "an earlier test of this process loaded eSpeak NG";
    }
    auto output = std::make_shared<StandInOutput>(true);
    core::Speech speech(output);
    EXPECT_FALSE(testing_support::espeakLoaded());
    const bool spoken = speech.speak(QStringLiteral("5kwRliti"));
    REQUIRE_ESPEAK();
    ASSERT_TRUE(spoken);
    ASSERT_EQ(output->played.size(), 1u);
    EXPECT_FALSE(output->played[0].samples.empty());
    EXPECT_EQ(phonemeNames(output->played[0]), QStringList({"k", "w", "0", "l", "I", "t", "i"}));
    EXPECT_FALSE(speech.speak(QStringLiteral("-")));  // nothing to say
    EXPECT_EQ(output->played.size(), 1u);
    speech.stop();
    EXPECT_EQ(output->stops, 1);
}

struct UnavailableCase {
    const char* name;
    bool device;
    const char* library;
    bool emptyDataFolder;
    core::SpeechProblem reason;
};

std::ostream& operator<<(std::ostream& out, const UnavailableCase& c) {
    return out << c.name;
}

class SpeechUnavailable : public testing::TestWithParam<UnavailableCase> {};

// Without a sound device or without eSpeak NG the command says why and nothing is played.
TEST_P(SpeechUnavailable, SaysWhyAndPlaysNothing) {
    const UnavailableCase& c = GetParam();
    QTemporaryDir emptyFolder;
    auto output = std::make_shared<StandInOutput>(c.device);
    core::Speech speech(
        output, {QString::fromUtf8(c.library), c.emptyDataFolder ? emptyFolder.path() : QString()});
    EXPECT_EQ(speech.unavailableReason(), c.reason);
    EXPECT_FALSE(speech.speak(QStringLiteral("5kwRliti")));
    EXPECT_TRUE(output->played.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, SpeechUnavailable,
                         testing::Values(UnavailableCase{"no device", false, "libespeak-ng.so.1",
                                                         false, core::SpeechProblem::NoSoundDevice},
                                         UnavailableCase{"no library", true,
                                                         "/nonexistent/libespeak-ng.so.1", false,
                                                         core::SpeechProblem::NoEspeak},
                                         UnavailableCase{"no data", true, "libespeak-ng.so.1", true,
                                                         core::SpeechProblem::NoEspeak}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// The real output where the machine has no sound device: nothing to play on, nothing played.
TEST(AudioSinkOutput, WithoutASoundDeviceSpeechIsUnavailable) {
    auto output = std::make_shared<platform::AudioSinkOutput>();
    if (output->hasDevice()) {
        GTEST_SKIP() << "this machine has a sound device; no sound is played in tests";
    }
    core::Speech speech(output);
    EXPECT_EQ(speech.unavailableReason(), core::SpeechProblem::NoSoundDevice);
    EXPECT_FALSE(speech.speak(QStringLiteral("5kwRliti")));
    // Played anyway: it returns without a device and without opening one.
    output->play(platform::SpokenSound{{0, 100, 0}, 22050, {}});
    output->stop();
    EXPECT_FALSE(output->hasDevice());
}

}  // namespace
