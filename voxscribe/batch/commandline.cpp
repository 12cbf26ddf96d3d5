#include "commandline.h"

#include <QCommandLineParser>
#include <cstdio>
#include <memory>

#include "batchengine.h"
#include "dialogs.h"
#include "lookupclient.h"
#include "misslog.h"
#include "rtfwriter.h"
#include "savefile.h"
#include "services.h"
#include "wordlist.h"

namespace batch {
namespace {

// Every option of the command-line run, each name with its leading dashes.
constexpr const char* kOwnOptions[] = {"-b", "--batch", "-o", "--output", "-h", "--help"};

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

// Where the batch lines of a run go; one kind per output form.
class OutputSink : public BatchSink {
public:
    // After the run: puts the output in place. False with *error (in Chinese) when it could not.
    virtual bool finish(QString* error) = 0;
};

// The batch lines as plain text on standard output, one a line with the platform's line end.
// Lines are gathered and written in large pieces: one write per line would cost more than the
// lookup.
class StandardOutput final : public OutputSink {
public:
    ~StandardOutput() override { flush(); }
    void writeLine(const QString& line) override {
        // Every batch line ends in CR LF.
        const QStringView text = QStringView(line).chopped(2);
        const qsizetype at = pending_.size();
        pending_.resize(at + text.size() * 3 + 1);
        char* const start = pending_.data() + at;
        char* end = start;
        bool ascii = true;
        for (QChar c : text) {
            if (c.unicode() >= 0x80) {
                ascii = false;
                break;
            }
            *end++ = char(c.unicode());
        }
        if (ascii) {
            *end++ = '\n';
            pending_.truncate(at + (end - start));
        } else {
            pending_.truncate(at);
            pending_ += text.toUtf8();
            pending_ += '\n';
        }
        if (pending_.size() >= kChunk) {
            flush();
        }
    }
    bool finish(QString* error) override {
        flush();
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            *error = QStringLiteral("无法写到标准输出，结果不完整。");
            return false;
        }
        return true;
    }

private:
    static constexpr qsizetype kChunk = 64 * 1024;
    void flush() {
        if (!pending_.isEmpty()) {
            std::fwrite(pending_.constData(), 1, size_t(pending_.size()), stdout);
            pending_.clear();
        }
    }
    QByteArray pending_;
};

// The batch lines as the RTF file that the batch window would save after annotating the same
// list, written straight from the lines: no document is built, so a long list needs little
// memory and no graphical session. The file is replaced only once it is complete.
class RtfFile final : public OutputSink {
public:
    explicit RtfFile(QString path)
        : path_(std::move(path)), rtf_(documentFont(), kDocumentPointSize) {}
    void writeLine(const QString& line) override { rtf_.append(line); }
    bool finish(QString* error) override {
        QString why;
        if (!output::saveBytes(path_, rtf_.finish(), &why)) {
            *error = QStringLiteral("无法保存“%1”：%2").arg(path_, why);
            return false;
        }
        return true;
    }

private:
    QString path_;
    output::LinesRtfWriter rtf_;
};

std::unique_ptr<OutputSink> outputFor(const QString& outputPath) {
    if (outputPath.isEmpty()) {
        return std::make_unique<StandardOutput>();
    }
    return std::make_unique<RtfFile>(outputPath);
}

int usageError(const QString& text) {
    tell(text + QStringLiteral("\n用 voxscribe --help 查看用法。"));
    return kExitUsage;
}

QString summaryText(const RunSummary& summary, const QString& missLogPath, const QString& output) {
    QString text = QStringLiteral("共标注 %1 个单词：找到音标 %2 个，没找到 %3 个。")
                       .arg(summary.words)
                       .arg(summary.found)
                       .arg(summary.missing);
    if (summary.missing > 0 && !summary.missLogFailed) {
        text += QStringLiteral("\n没找到的单词已记入“%1”。").arg(missLogPath);
    }
    if (!output.isEmpty()) {
        text += QStringLiteral("\n结果已保存到“%1”。").arg(output);
    }
    return text;
}

int runBatch(const QString& wordList, const QString& outputPath, platform::Services& services) {
    const WordList list = readWordList(wordList);
    if (!list.ok()) {
        tell(list.error);
        return kExitFailed;
    }
    StandardErrorMessages messages;
    platform::Services quiet{services.folder, services.components, messages, services.files,
                             services.shell};
    smart::LookupClient client(quiet);
    const QString missLogPath = quiet.folder.writableFile(smart::MissLog::fileName());
    BatchEngine engine(client, smart::MissLog(missLogPath));
    engine.setStopWhenDictionaryFails(true);

    const std::unique_ptr<OutputSink> output = outputFor(outputPath);
    const RunSummary summary = engine.run(list.lines, *output);
    if (!summary.stopped) {
        QString error;
        if (!output->finish(&error)) {
            tell(error);
            return kExitFailed;
        }
    }
    if (summary.stopped) {
        tell(QStringLiteral("音标词典无法加载，没有标注任何单词。"));
        return kExitFailed;
    }
    tell(summaryText(summary, missLogPath, outputPath));
    if (summary.missLogFailed) {
        tell(QStringLiteral("无法写入“%1”，没找到音标的单词没有记录下来。").arg(missLogPath));
        return kExitFailed;
    }
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
        "  voxscribe --batch 单词表.txt [--output 结果.rtf]\n"
        "                                              不打开窗口，批量标注一个单词表\n"
        "  voxscribe --help                            显示本说明\n"
        "\n"
        "选项:\n"
        "  -b, --batch <单词表>   一个单词占一行的文本文件（UTF-8 或 GB18030 编码）\n"
        "  -o, --output <文件>    把结果保存为 RTF 文件（已有的文件被替换）；\n"
        "                         不给出时，结果逐行写到标准输出\n"
        "  -h, --help             显示本说明\n"
        "\n"
        "每个单词写成一行“单词/音标/”；词典里没有的单词写成“单词/  /”，\n"
        "并记入程序文件夹中的 unfound.dat。统计和错误信息写到标准错误输出。\n"
        "\n"
        "退出状态: 0 完成；1 单词表无法读取、音标词典无法加载或结果无法保存；2 参数有误。\n");
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
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({batchOption, outputOption, helpOption});
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
    const QStringList wordLists = parser.values(batchOption);
    const QStringList outputs = parser.values(outputOption);
    if (wordLists.size() != 1 || wordLists.front().isEmpty()) {
        return usageError(QStringLiteral("请用 --batch 给出一个单词表文件。"));
    }
    if (outputs.size() > 1 || (outputs.size() == 1 && outputs.front().isEmpty())) {
        return usageError(QStringLiteral("请用 --output 给出一个结果文件。"));
    }
    return runBatch(wordLists.front(), outputs.value(0), services);
}

}  // namespace batch
