// A transcription spoken into a WAV file, for listening material made from the command line.
#pragma once

#include <QList>
#include <QString>

#include "espeaklibrary.h"
#include "speech.h"

namespace core {

// Writes the first pronunciation of codes, as eSpeak NG's British voice says it, to path as a
// WAV file (16-bit PCM, one channel), through the one safe write path. On failure no file is
// left half written and the answer says why: eSpeak NG or its data is missing, the codes hold
// nothing to say, or the file cannot be written (FileNotWritten, *writeError saying why, in
// Chinese). None when the file is written.
// voice: American codes are said in the American voice.
SpeechProblem saveSpeech(
    const QString& path, const QString& codes, QString* writeError = nullptr,
    const platform::EspeakLibrary::Location& location = platform::EspeakLibrary::Location(),
    platform::Voice voice = platform::Voice::British);

// A transcription and the voice that says it.
struct CodesToSay {
    QString codes;
    platform::Voice voice = platform::Voice::British;
};
// Several transcriptions one after another in one file, a short pause between them (a word's
// British and American pronunciations). Fails as a single one does when any holds nothing to say.
SpeechProblem saveSpeech(
    const QString& path, const QList<CodesToSay>& parts, QString* writeError = nullptr,
    const platform::EspeakLibrary::Location& location = platform::EspeakLibrary::Location());

}  // namespace core
