#include "commandline.h"

#include <QCommandLineParser>
#include <cstdio>
#include <memory>

#include "batchoutput.h"
#include "dialogs.h"
#include "lookupclient.h"
#include "misslog.h"
#include "services.h"
#include "speechfile.h"
#include "suggestion.h"
#include "unicodeipa.h"
#include "wordlist.h"

namespace commandline {
namespace {

// Every option of the command-line run, each name with its leading dashes.
constexpr const char* kOwnOptions[] = {"-b",       "--batch", "-o",     "--output", "-f",
                                       "--format", "-h",      "--help", "--guess",  "--say"};

using core::BatchFormat;

struct FormatName {
    const char* name;
    BatchFormat format;
};
constexpr FormatName kFormats[] = {
    {"lines", BatchFormat::Lines}, {"ipa", BatchFormat::Ipa}, {"rtf", BatchFormat::Rtf}};

void write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void tell(const QString& text) {
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    write(stderr, QStringLiteral("voxscribe: ") + line + u'\n');
}

// Without a window, what would be a message box goes to standard error; nobody is there to
// answer, so the default button answers.
class StandardErrorMessages final : public platform::MessageBoxes {
public:
    platform::Answer show(QWidget*, const QString& text, platform::Icon, platform::Buttons,
                          platform::Answer defaultButton) override {
        tell(text);
        return defaultButton;
    }
};

int usageError(const QString& text) {
    tell(text + QStringLiteral("\n用 voxscribe --help 查看用法。"));
    return kExitUsage;
}

QString summaryText(const core::RunSummary& summary, const QString& missLogPath,
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

int runBatch(const QString& wordList, const QString& outputPath, BatchFormat format, bool guess,
             platform::Services& services) {
    const core::WordList list = core::readWordList(wordList);
    if (!list.ok()) {
        tell(list.error);
        return kExitFailed;
    }
    StandardErrorMessages messages;
    platform::Services quiet{services.folder, services.components, messages, services.files,
                             services.shell};
    core::LookupClient client(quiet);
    const QString missLogPath = quiet.folder.writableFile(core::MissLog::fileName());
    core::BatchEngine engine(client, core::MissLog(missLogPath));
    engine.setStopWhenDictionaryFails(true);
    // eSpeak NG is loaded at the first missing word, if any.
    core::EspeakSuggestion suggestion;
    if (guess) {
        engine.setSuggestion(&suggestion);
    }

    const std::unique_ptr<core::BatchOutput> output = core::batchOutput(format, outputPath);
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
    if (guess && summary.missing > 0 && !suggestion.available()) {
        tell(
            QStringLiteral("找不到 eSpeak NG 或它的英语数据，--guess 没有给出建议音标；"
                           "没找到的单词照常留空。"));
    }
    tell(summaryText(summary, missLogPath, outputPath));
    if (summary.missLogFailed) {
        tell(QStringLiteral("无法写入“%1”，没找到音标的单词没有记录下来。").arg(missLogPath));
        return kExitFailed;
    }
    return kExitOk;
}

// The codes of what --say was given: codes written between slashes as they are, a word as the
// dictionary (or, with --guess, the suggestion) has it. Empty, with *error, when there are none.
QString codesToSay(const QString& given, bool guess, platform::Services& services, QString* error) {
    if (given.size() > 2 && given.startsWith(u'/') && given.endsWith(u'/')) {
        return given.mid(1, given.size() - 2);
    }
    StandardErrorMessages messages;
    platform::Services quiet{services.folder, services.components, messages, services.files,
                             services.shell};
    core::LookupClient client(quiet);
    const core::Lookup found = client.lookup(given);
    if (!found.transcription.isEmpty()) {
        return found.transcription;
    }
    if (guess) {
        const QString suggested = core::EspeakSuggestion().suggest(given);
        if (!suggested.isEmpty()) {
            return suggested;
        }
    }
    *error = found.unavailable ? QStringLiteral("音标词典无法加载，没有“%1”的音标。").arg(given)
                               : QStringLiteral(
                                     "词典里没有“%1”的音标；可以用 --guess 使用建议音标，"
                                     "或者把音标写在两条斜线之间，例如 --say /5kwRliti/。")
                                     .arg(found.key);
    return {};
}

// "--say WORD|/codes/ -o FILE.wav": the word said as its transcription is written, into a WAV
// file, for listening material.
int runSay(const QString& given, const QString& outputPath, bool guess,
           platform::Services& services) {
    QString error;
    const QString codes = codesToSay(given, guess, services, &error);
    if (codes.isEmpty()) {
        tell(error);
        return kExitFailed;
    }
    if (!core::saveSpeech(outputPath, codes, &error)) {
        tell(error);
        return kExitFailed;
    }
    tell(QStringLiteral("已把“%1”（%2）的读音保存到“%3”。")
             .arg(given,
                  QString::fromStdString(sonabet::notation::toUnicodeIpa(codes.toStdString())),
                  outputPath));
    return kExitOk;
}

}  // namespace

bool isCommandLineRun(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        for (const char* option : kOwnOptions) {
            const QLatin1String name(option);
            if (argument == name ||
                (name.startsWith(QLatin1String("--")) && argument.startsWith(name + u'='))) {
                return true;
            }
        }
    }
    return false;
}

QString commandLineHelp() {
    return QStringLiteral(
        "用法:\n"
        "  voxscribe                                   打开程序窗口\n"
        "  voxscribe --batch 单词表.txt [--format lines|ipa|rtf] [--output 结果] [--guess]\n"
        "                                              不打开窗口，批量标注一个单词表\n"
        "  voxscribe --say 单词|/音标/ --output 读音.wav [--guess]\n"
        "                                              把单词按音标读出来，保存为 WAV 文件\n"
        "  voxscribe --help                            显示本说明\n"
        "\n"
        "选项:\n"
        "  -b, --batch <单词表>   一个单词占一行的文本文件（UTF-8 或 GB18030 编码）；\n"
        "                         “-”表示从标准输入读取\n"
        "  -f, --format <格式>    结果的格式:\n"
        "                           lines  每个单词一行“单词/音标/”，音标用音标字体的代码；\n"
        "                                  词典里没有的单词写成“单词/  /”\n"
        "                           ipa    每个单词一行：单词、制表符、Unicode 国际音标\n"
        "                                  （没找到时为空），UTF-8 编码，不需要音标字体\n"
        "                           rtf    RTF 文档，和批量标注窗口保存的一样\n"
        "                         不给出时，结果文件名以 .rtf 或 .doc 结尾用 rtf，否则用 lines\n"
        "  -o, --output <文件>    把结果保存到这个文件（已有的文件被替换）；\n"
        "                         不给出时，结果写到标准输出\n"
        "      --guess            词典里没有的单词写上 eSpeak NG 给出的建议音标，\n"
        "                         行末标“?”（RTF 中建议音标为灰色，ipa 格式在音标后标“?”）；\n"
        "                         --say 时读出建议音标\n"
        "      --say <单词>       朗读词典中这个单词的音标（按音标读，不按拼写猜），\n"
        "                         或两条斜线之间的音标代码，例如 /5kwRliti/；\n"
        "                         读音用 --output 保存为 WAV 文件\n"
        "  -h, --help             显示本说明\n"
        "\n"
        "词典里没有的单词记入程序文件夹中的 unfound.dat。统计和错误信息写到标准错误输出。\n"
        "\n"
        "退出状态: 0 完成；1 单词表无法读取、音标词典无法加载、词典里没有要朗读的单词\n"
        "或结果无法保存；2 参数有误。\n");
}

std::optional<int> runCommandLine(const QStringList& arguments, platform::Services& services) {
    if (!isCommandLineRun(arguments)) {
        return std::nullopt;
    }
    QCommandLineParser parser;
    const QCommandLineOption batchOption({QStringLiteral("b"), QStringLiteral("batch")}, QString(),
                                         QStringLiteral("wordlist"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          QString(), QStringLiteral("file"));
    const QCommandLineOption formatOption({QStringLiteral("f"), QStringLiteral("format")},
                                          QString(), QStringLiteral("format"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption guessOption(QStringLiteral("guess"));
    const QCommandLineOption sayOption(QStringLiteral("say"), QString(), QStringLiteral("word"));
    parser.addOptions(
        {batchOption, outputOption, formatOption, helpOption, guessOption, sayOption});
    if (!parser.parse(arguments)) {
        QString why = parser.errorText();
        while (why.endsWith(u'.') || why.endsWith(u'。')) {
            why.chop(1);
        }
        return usageError(QStringLiteral("参数有误（%1）。").arg(why));
    }
    if (parser.isSet(helpOption)) {
        write(stdout, commandLineHelp());
        return kExitOk;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(
            QStringLiteral("多余的参数：%1").arg(parser.positionalArguments().join(u' ')));
    }
    const QStringList outputs = parser.values(outputOption);
    if (outputs.size() > 1 || (outputs.size() == 1 && outputs.front().isEmpty())) {
        return usageError(QStringLiteral("请用 --output 给出一个结果文件。"));
    }
    const QString outputPath = outputs.value(0);
    const QStringList words = parser.values(sayOption);
    if (!words.isEmpty()) {
        if (parser.isSet(batchOption) || parser.isSet(formatOption)) {
            return usageError(QStringLiteral("--say 不能和 --batch 或 --format 一起用。"));
        }
        if (words.size() != 1 || words.front().trimmed().isEmpty()) {
            return usageError(QStringLiteral("请用 --say 给出一个单词或一段音标。"));
        }
        if (outputPath.isEmpty()) {
            return usageError(QStringLiteral("请用 --output 给出保存读音的 WAV 文件。"));
        }
        return runSay(words.front(), outputPath, parser.isSet(guessOption), services);
    }
    const QStringList wordLists = parser.values(batchOption);
    if (wordLists.size() != 1 || wordLists.front().isEmpty()) {
        return usageError(QStringLiteral("请用 --batch 给出一个单词表文件。"));
    }
    // A document name asks for the document; anything else gets the lines.
    BatchFormat format = outputPath.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive) ||
                                 outputPath.endsWith(QLatin1String(".doc"), Qt::CaseInsensitive)
                             ? BatchFormat::Rtf
                             : BatchFormat::Lines;
    const QStringList formats = parser.values(formatOption);
    if (formats.size() > 1) {
        return usageError(QStringLiteral("请只用一次 --format。"));
    }
    if (!formats.isEmpty()) {
        const auto named = std::find_if(
            std::begin(kFormats), std::end(kFormats),
            [&](const FormatName& known) { return formats.front() == QLatin1String(known.name); });
        if (named == std::end(kFormats)) {
            return usageError(QStringLiteral("不认识的输出格式“%1”：可用 lines、ipa 或 rtf。")
                                  .arg(formats.front()));
        }
        format = named->format;
    }
    return runBatch(wordLists.front(), outputPath, format, parser.isSet(guessOption), services);
}

}  // namespace commandline
