// Stand-ins that answer message boxes, file dialogs and the shell in the user's place, and
// remember what they were asked.
#pragma once

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

#include "dialogs.h"
#include "espeaklibrary.h"
#include "qtprinters.h"
#include "speech.h"

namespace testing_support {

struct ShownMessage {
    QString text;
    platform::Icon icon;
    platform::Buttons buttons;
    platform::Answer defaultButton;
};

class ScriptedMessageBoxes final : public platform::MessageBoxes {
public:
    // Answers are taken in order; with none left the default button answers.
    void answer(platform::Answer a) { answers_.push_back(a); }
    // Runs while the box is "open", before the answer is given (e.g. to inspect a window).
    void onShow(std::function<void(const ShownMessage&)> hook) { hook_ = std::move(hook); }

    platform::Answer show(QWidget* parent, const QString& text, platform::Icon icon,
                          platform::Buttons buttons, platform::Answer defaultButton) override;

    std::vector<ShownMessage> shown;

private:
    std::deque<platform::Answer> answers_;
    std::function<void(const ShownMessage&)> hook_;
};

struct FileDialogRequest {
    bool save;
    QString title;
    QString filter;
    QString initialName;
};

class ScriptedFileDialogs final : public platform::FileDialogs {
public:
    // Paths are taken in order; an empty path (or none left) is a cancelled dialog.
    void answer(const QString& path) { answers_.push_back(path); }

    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& initialName) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& initialName) override;

    std::vector<FileDialogRequest> requests;

private:
    QString next();
    std::deque<QString> answers_;
};

class RecordingOpener final : public platform::ShellOpener {
public:
    void open(QWidget*, const QString& path) override { opened << path; }
    QStringList opened;
};

// A sound output that plays nothing: it keeps what it was given.
class RecordingSound final : public platform::SoundOutput {
public:
    explicit RecordingSound(bool device = true) : device_(device) {}
    bool hasDevice() override { return device_; }
    void play(const platform::SpokenSound& sound) override { played.push_back(sound); }
    void stop() override { ++stops; }

    std::vector<platform::SpokenSound> played;
    int stops = 0;

private:
    bool device_;
};

// Whether eSpeak NG is loaded in this process yet: a test of loading it on demand can only tell
// when no earlier test has loaded it.
bool espeakLoaded();
// How many phonemes the speech service makes of codes, to compare with a sound that was played.
std::size_t phonemeCountOf(const char* codes);
// The eSpeak NG names of a sound's phonemes, in order.
QStringList phonemeNames(const platform::SpokenSound& sound);

}  // namespace testing_support

// Skips the test where eSpeak NG or its English data is missing.
#define REQUIRE_ESPEAK()                                                \
    do {                                                                \
        if (!platform::EspeakLibrary::open().ready()) {                 \
            GTEST_SKIP() << "eSpeak NG or its English data is missing"; \
        }                                                               \
    } while (false)
