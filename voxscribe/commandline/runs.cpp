#include "runs.h"

#include <memory>

#include "commandline.h"
#include "lookupclient.h"
#include "misslog.h"
#include "speechcommand.h"
#include "speechfile.h"
#include "streamedoutput.h"
#include "suggestion.h"
#include "terminal.h"
#include "textwriters.h"
#include "wordlevel.h"
#include "wordlist.h"

namespace commandline {
namespace {

QString batchSummary(const core::RunSummary& summary, const QString& missLogPath,
                     const QString& output) {
    QString text = QStringLiteral("共标注 %1 个单词：找到音标 %2 个，没找到 %3 个。")
                       .arg(QString::number(summary.words), QString::number(summary.found),
                            QString::number(summary.missing));
    if (summary.guessed > 0) {
        text += QStringLiteral("其中 %1 个写上了建议音标，请核对。").arg(summary.guessed);
    }
    if (summary.missing > 0 && !summary.missLogFailed) {
        text += QStringLiteral("\n没找到的单词已记入“%1”。").arg(missLogPath);
    }
    if (!output.isEmpty()) {
        text += QStringLiteral("\n结果已保存到“%1”。").arg(output);
    }
    return text;
}

QString noEspeakForGuesses() {
    return QStringLiteral(
        "找不到 eSpeak NG 或它的英语数据，--guess 没有给出建议音标；没找到的单词照常留空。");
}

// The bytes of a text writer, onto the run's output as they come.
class OutputBytes final : public core::ByteSink {
public:
    explicit OutputBytes(core::StreamedOutput& out) : out_(out) {}
    void write(QByteArrayView bytes) override { out_.put(bytes.toByteArray()); }

private:
    core::StreamedOutput& out_;
};

}  // namespace

int runBatch(const BatchRun& run, platform::Services& services) {
    const core::WordList list = core::readWordList(run.wordList);
    if (!list.ok()) {
        tell(list.error);
        return kExitFailed;
    }
    QuietServices quiet(services);
    core::LookupClient client(quiet.services());
    const QString missLogPath = services.folder.writableFile(core::MissLog::fileName());
    core::BatchEngine engine(client, core::MissLog(missLogPath));
    engine.setStopWhenDictionaryFails(true);
    // eSpeak NG is loaded at the first missing word, if any.
    core::EspeakSuggestion suggestion;
    if (run.guess) {
        engine.setSuggestion(&suggestion);
    }
    engine.setAccent(run.accent);

    // American codes read with the classic symbols, whatever was asked for the British ones.
    const std::unique_ptr<core::BatchOutput> output =
        core::batchOutput(run.format, run.output,
                          run.accent == core::Accent::American ? Symbols::Classic : run.symbols);
    const core::RunSummary summary = engine.run(list.lines, *output);
    if (summary.stopped) {
        tell(QStringLiteral("音标词典无法加载，没有标注任何单词。"));
        return kExitFailed;
    }
    QString error;
    if (!output->finish(&error)) {
        tell(error);
        return kExitFailed;
    }
    if (run.guess && summary.missing > 0 && !suggestion.available()) {
        tell(noEspeakForGuesses());
    }
    tell(batchSummary(summary, missLogPath, run.output));
    if (summary.missLogFailed) {
        tell(QStringLiteral("无法写入“%1”，没找到音标的单词没有记录下来。").arg(missLogPath));
        return kExitFailed;
    }
    return kExitOk;
}

int runText(const TextRun& run, platform::Services& services) {
    const core::TextFile file = core::readPassage(run.text);
    if (!file.ok()) {
        tell(file.error);
        return kExitFailed;
    }
    core::KnownWords known;
    if (!run.known.isEmpty()) {
        QString error;
        known = core::KnownWords::read(run.known, &error);
        if (!error.isEmpty()) {
            tell(error);
            return kExitFailed;
        }
    }
    QuietServices quiet(services);
    core::LookupClient client(quiet.services());
    // Nothing is written when the dictionary cannot be reached.
    if (client.lookup(QStringLiteral("the")).unavailable) {
        tell(QStringLiteral("音标词典无法加载，没有标注任何单词。"));
        return kExitFailed;
    }
    core::ClientWords words(client);
    // eSpeak NG is loaded at the first missing word, if any.
    core::EspeakSuggestion suggestion;
    core::TextOptions options;
    options.level = run.level;
    options.known = run.known.isEmpty() ? nullptr : &known;
    options.firstOnly = run.firstOnly;
    options.examination = run.examination ? &core::examinationWords(*run.examination) : nullptr;
    options.weakForms = run.weakForms;
    options.guesser = run.guess ? &suggestion : nullptr;
    options.accent = run.accent;
    core::TextAnnotator annotator(words, options);

    core::StreamedOutput out(run.output);
    OutputBytes bytes(out);
    core::TextCounts counts;
    switch (run.format) {
        case TextFormat::Rtf: {
            core::RtfTextWriter writer;
            counts = annotator.annotate(file.text, writer);
            out.put(writer.finish());
            break;
        }
        case TextFormat::Html: {
            core::HtmlTextWriter writer(bytes, run.symbols, QStringLiteral("文章标注"));
            counts = annotator.annotate(file.text, writer);
            writer.finish();
            break;
        }
        case TextFormat::Ipa: {
            core::IpaTextWriter writer(bytes, run.symbols);
            counts = annotator.annotate(file.text, writer);
            writer.finish();
            break;
        }
    }
    QString error;
    if (!out.finish(&error)) {
        tell(error);
        return kExitFailed;
    }
    if (run.guess && counts.missing > 0 && !suggestion.available()) {
        tell(noEspeakForGuesses());
    }
    QString summary = core::countsSummary(counts);
    if (!run.output.isEmpty()) {
        summary += QStringLiteral("\n结果已保存到“%1”。").arg(run.output);
    }
    tell(summary);
    return kExitOk;
}

namespace {

// The codes of what --say was given: codes written between slashes as they are, a word as the
// dictionary (or, with --guess, the suggestion) has it in the accent. Empty, with *error, when
// there are none.
QString codesToSay(const SayRun& run, platform::Services& services, core::Accent accent,
                   QString* error) {
    const QString& given = run.given;
    if (given.size() > 2 && given.startsWith(u'/') && given.endsWith(u'/')) {
        return given.mid(1, given.size() - 2);
    }
    QuietServices quiet(services);
    core::LookupClient client(quiet.services());
    const core::Lookup found =
        accent == core::Accent::American ? client.lookupAmerican(given) : client.lookup(given);
    if (!found.transcription.isEmpty()) {
        return found.transcription;
    }
    if (run.guess) {
        core::EspeakSuggestion suggestion;
        const QString suggested = accent == core::Accent::American
                                      ? suggestion.suggestAmerican(given)
                                      : suggestion.suggest(given);
        if (!suggested.isEmpty()) {
            return suggested;
        }
    }
    *error = found.unavailable
                 ? QStringLiteral("音标词典无法加载，没有“%1”的音标。").arg(given)
                 : QStringLiteral(
                       "词典里没有“%1”的%2音标；可以用 --guess 使用建议音标，"
                       "或者把音标写在两条斜线之间，例如 --say /5kwRliti/。")
                       .arg(found.key,
                            accent == core::Accent::American ? QStringLiteral("美式") : QString());
    return {};
}

}  // namespace

// The word said as its transcription is written, into a WAV file, for listening material.
int runSay(const SayRun& run, platform::Services& services) {
    const bool codesGiven =
        run.given.size() > 2 && run.given.startsWith(u'/') && run.given.endsWith(u'/');
    // Codes given are one transcription, said once.
    const QList<core::Accent> accents =
        run.accent == core::Accent::Both && !codesGiven
            ? QList<core::Accent>{core::Accent::British, core::Accent::American}
            : QList<core::Accent>{run.accent == core::Accent::American ? core::Accent::American
                                                                       : core::Accent::British};
    QList<core::CodesToSay> parts;
    QStringList ipa;
    for (const core::Accent accent : std::as_const(accents)) {
        QString error;
        const QString codes = codesToSay(run, services, accent, &error);
        if (codes.isEmpty()) {
            tell(error);
            return kExitFailed;
        }
        const bool american = accent == core::Accent::American;
        parts.push_back({codes, american ? platform::Voice::American : platform::Voice::British});
        ipa << (american
                    ? QString::fromUtf8(core::americanIpa(codes))
                    : QString::fromStdString(sonabet::notation::toUnicodeIpa(codes.toStdString())));
    }
    QString writeError;
    const core::SpeechProblem problem = core::saveSpeech(run.output, parts, &writeError);
    if (problem != core::SpeechProblem::None) {
        tell(problem == core::SpeechProblem::FileNotWritten ? writeError
                                                            : widgets::speechProblemText(problem));
        return kExitFailed;
    }
    tell(QStringLiteral("已把“%1”（%2）的读音保存到“%3”。")
             .arg(run.given, ipa.join(QStringLiteral("，")), run.output));
    return kExitOk;
}

}  // namespace commandline
