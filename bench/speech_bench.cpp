// Speaking a transcription: the time from the command to the first samples ready for the sound
// output, at the first word of a run (eSpeak NG loaded then) and after. The sound output is a
// stand-in that notes when it is handed the sound; "--play" also times handing it to the real
// sound device, where there is one (it is heard).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "benchsupport.h"
#include "soundoutput.h"
#include "speech.h"
#include "speechphonemes.h"

namespace {

const QStringList kWords = {"5kwRliti", "E,kRmE5deiFEn", "/TE, Ti/", "5nju: 5zi:lEnd",
                            "5meVEE",   "dVEQdVE",       "5/Ebeis",  "Ant5B:ktik"};

// Notes how long after the command the samples arrived.
class TimingOutput final : public platform::SoundOutput {
public:
    bool hasDevice() override { return true; }
    void play(const platform::SpokenSound& sound) override {
        readyMs = double(clock.nsecsElapsed()) / 1e6;
        seconds = sound.seconds();
    }
    void stop() override {}

    QElapsedTimer clock;
    double readyMs = -1;
    double seconds = 0;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void reportCommandToSamples(bool play) {
    auto output = std::make_shared<TimingOutput>();
    core::Speech speech(output);
    output->clock.start();
    if (!speech.speak(kWords[0])) {
        std::printf("speech: eSpeak NG or its data is missing; not measured\n");
        return;
    }
    std::printf(
        "command to first samples, first use (eSpeak NG loaded): %.2f ms (%.2f s of sound)\n",
        output->readyMs, output->seconds);
    std::vector<double> warm;
    double longest = 0;
    for (int round = 0; round < 25; ++round) {
        for (const QString& codes : kWords) {
            output->clock.restart();
            speech.speak(codes);
            warm.push_back(output->readyMs);
            longest = std::max(longest, output->readyMs);
        }
    }
    std::printf("command to first samples, warm: median %.2f ms, longest %.2f ms (%zu words)\n",
                median(warm), longest, warm.size());
    platform::AudioSinkOutput device;
    if (!device.hasDevice()) {
        std::printf("sound device: none; handing the samples to it not measured\n");
        return;
    }
    if (!play) {
        std::printf("sound device: present; run with --play to time handing it the samples\n");
        return;
    }
    core::Speech heard(
        std::shared_ptr<platform::SoundOutput>(&device, [](platform::SoundOutput*) {}));
    QElapsedTimer clock;
    clock.start();
    heard.speak(kWords[0]);
    std::printf("command to the sound device started: %.2f ms\n",
                double(clock.nsecsElapsed()) / 1e6);
    heard.stop();
}

void BM_SpeakWarm(benchmark::State& state) {
    auto output = std::make_shared<TimingOutput>();
    core::Speech speech(output);
    if (speech.unavailableReason() != core::SpeechProblem::None) {
        state.SkipWithError("eSpeak NG or its data is missing");
        return;
    }
    bench::askInTurn(state, kWords, [&](const auto& word) { return speech.speak(word); });
}
BENCHMARK(BM_SpeakWarm)->Unit(benchmark::kMillisecond);

void BM_SpeechPhonemes(benchmark::State& state) {
    bench::askInTurn(state, kWords, [&](const auto& word) { return core::speechPhonemes(word); });
}
BENCHMARK(BM_SpeechPhonemes)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool play = bench::takeOption(argc, argv, "--play");
    // First, while eSpeak NG is not loaded yet.
    reportCommandToSamples(play);
    return bench::runBenchmarks(argc, argv);
}
