#include "commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>

#include "runs.h"
#include "terminal.h"
#include "wordlevel.h"

namespace commandline {
namespace {

// Every option of the command-line run, each name with its leading dashes.
constexpr const char* kOwnOptions[] = {
    "-b",      "--batch",      "-o",        "--output",     "-f",      "--format",
    "-h",      "--help",       "--guess",   "--say",        "--text",  "--level",
    "--known", "--first-only", "--symbols", "--weak-forms", "--accent"};

template <class Value>
struct Named {
    const char* name;
    Value value;
};
constexpr Named<core::BatchFormat> kBatchFormats[] = {{"lines", core::BatchFormat::Lines},
                                                      {"ipa", core::BatchFormat::Ipa},
                                                      {"rtf", core::BatchFormat::Rtf}};
constexpr Named<TextFormat> kTextFormats[] = {
    {"rtf", TextFormat::Rtf}, {"ipa", TextFormat::Ipa}, {"html", TextFormat::Html}};
constexpr Named<Symbols> kSymbols[] = {{"classic", Symbols::Classic}, {"modern", Symbols::Modern}};

int usageError(const QString& text) {
    tell(text + QStringLiteral("\n用 voxscribe --help 查看用法。"));
    return kExitUsage;
}

// The value of a named option from its table; nullopt, told, when the name is none of them.
template <class Value, std::size_t N>
std::optional<Value> named(const Named<Value> (&table)[N], const QString& given,
                           const QString& what) {
    for (const Named<Value>& entry : table) {
        if (given == QLatin1String(entry.name)) {
            return entry.value;
        }
    }
    QStringList names;
    for (const Named<Value>& entry : table) {
        names << QLatin1String(entry.name);
    }
    usageError(QStringLiteral("不认识的%1“%2”：可用 %3。").arg(what, given, names.join(u'、')));
    return std::nullopt;
}

// Sets value from the option's name in the table, when the option is given; false, told, when
// the name is none of the table's.
template <class Value, std::size_t N>
bool chooseNamed(const QCommandLineParser& parser, const QCommandLineOption& option,
                 const Named<Value> (&table)[N], const QString& what, Value& value) {
    if (!parser.isSet(option)) {
        return true;
    }
    const std::optional<Value> chosen = named(table, parser.value(option), what);
    if (chosen) {
        value = *chosen;
    }
    return chosen.has_value();
}

// The accent of --accent (uk when not given); nullopt, told, for a name that is none.
std::optional<core::Accent> chosenAccent(const QCommandLineParser& parser,
                                         const QCommandLineOption& option) {
    if (!parser.isSet(option)) {
        return core::Accent::British;
    }
    if (const auto accent = core::accentOfOption(parser.value(option))) {
        return accent;
    }
    QStringList names;
    for (const core::AccentFacts& facts : core::accents()) {
        names << QLatin1String(facts.option);
    }
    usageError(
        QStringLiteral("不认识的口音“%1”：可用 %2。").arg(parser.value(option), names.join(u'、')));
    return std::nullopt;
}

bool endsWithAny(const QString& path, std::initializer_list<const char*> suffixes) {
    return std::any_of(suffixes.begin(), suffixes.end(), [&](const char* suffix) {
        return path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
    });
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
        "            [--accent uk|us|both]\n"
        "                                              不打开窗口，批量标注一个单词表\n"
        "  voxscribe --text 文章.txt [--level 1000|2000|3000|5000|8000|cet4|cet6|all]\n"
        "            [--known 词表] [--first-only] [--weak-forms] [--guess]\n"
        "            [--format rtf|ipa|html] [--output 结果] [--accent uk|us|both]\n"
        "                                              为一篇文章中的单词标注音标\n"
        "  voxscribe --say 单词|/音标/ --output 读音.wav [--guess] [--accent uk|us|both]\n"
        "                                              把单词按音标读出来，保存为 WAV 文件\n"
        "  voxscribe --help                            显示本说明\n"
        "\n"
        "选项:\n"
        "  -b, --batch <单词表>   一个单词占一行的文本文件（UTF-8 或 GB18030 编码）；\n"
        "                         “-”表示从标准输入读取\n"
        "      --text <文章>      一篇英语文章（UTF-8、GB18030 或 UTF-16 编码的文本文件）；\n"
        "                         “-”表示从标准输入读取\n"
        "  -f, --format <格式>    结果的格式:\n"
        "                           lines  （--batch）每个单词一行“单词/音标/”，音标用音标字体\n"
        "                                  的代码；词典里没有的单词写成“单词/  /”\n"
        "                           ipa    --batch：每个单词一行：单词、制表符、Unicode 国际音标\n"
        "                                  （没找到时为空）；--text：文章原文，标注的单词后面\n"
        "                                  方括号中是 Unicode 国际音标。UTF-8 "
        "编码，不需要音标字体\n"
        "                           rtf    RTF 文档，和批量标注或文章标注窗口保存的一样\n"
        "                           html   （--text）网页讲义，音标写在单词上方，可直接打印\n"
        "                         不给出时按结果文件名：.rtf 或 .doc 用 rtf，.html 用 html，\n"
        "                         否则 --batch 用 lines，--text 用 ipa\n"
        "  -o, --output <文件>    把结果保存到这个文件（已有的文件被替换）；\n"
        "                         不给出时，结果写到标准输出\n"
        "      --level <N>        （--text）只标注最常用的 N 个词（1000、2000、3000、5000 或\n"
        "                         8000）以外的单词，常用词的各种词形也不标；cet4、cet6 只标注\n"
        "                         四级词汇或四、六级词汇以外的单词；all 标注全部单词\n"
        "      --known <词表>     （--text）不标注这个词表（一个单词占一行）中的单词及其词形\n"
        "      --first-only       （--text）每个单词只在第一次出现时标注\n"
        "      --weak-forms       （--text）虚词在连贯的话中写弱读式（to [tə]），\n"
        "                         在短语末尾或大写强调时写强读式；不给出时都写原形的读音\n"
        "      --symbols <符号>   Unicode 国际音标的写法：classic "
        "传统（ɔ、əː、əu，音标字体的写法），\n"
        "                         modern 新式（ɒ、ɜː、əʊ，现在教科书的写法）；默认 classic\n"
        "      --accent <口音>    uk 英式音标（默认）；us 美式音标，--say 用美式英语朗读；\n"
        "                         both 两种都写：单词 英[英式音标] 美[美式音标]，ipa 格式的\n"
        "                         --batch 为单词、英式、美式三列；--say 先读英式再读美式。\n"
        "                         美式音标的 Unicode 写法总是 ɪ、ʊ、ɑː 等，不受 --symbols 影响\n"
        "      --guess            词典里没有的单词写上 eSpeak NG 给出的建议音标，\n"
        "                         行末标“?”（RTF 中建议音标为灰色，ipa 格式在音标后标“?”）；\n"
        "                         --say 时读出建议音标\n"
        "      --say <单词>       朗读词典中这个单词的音标（按音标读，不按拼写猜），\n"
        "                         或两条斜线之间的音标代码，例如 /5kwRliti/；\n"
        "                         读音用 --output 保存为 WAV 文件\n"
        "  -h, --help             显示本说明\n"
        "\n"
        "批量标注时词典里没有的单词记入程序文件夹中的 unfound.dat。"
        "统计和错误信息写到标准错误输出。\n"
        "\n"
        "退出状态: 0 完成；1 单词表或文章无法读取、音标词典无法加载、词典里没有要朗读的单词\n"
        "或结果无法保存；2 参数有误。\n");
}

std::optional<int> runCommandLine(const QStringList& arguments, platform::Services& services) {
    if (!isCommandLineRun(arguments)) {
        return std::nullopt;
    }
    QCommandLineParser parser;
    const QCommandLineOption batchOption({QStringLiteral("b"), QStringLiteral("batch")}, QString(),
                                         QStringLiteral("wordlist"));
    const QCommandLineOption textOption(QStringLiteral("text"), QString(), QStringLiteral("text"));
    const QCommandLineOption sayOption(QStringLiteral("say"), QString(), QStringLiteral("word"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          QString(), QStringLiteral("file"));
    const QCommandLineOption formatOption({QStringLiteral("f"), QStringLiteral("format")},
                                          QString(), QStringLiteral("format"));
    const QCommandLineOption levelOption(QStringLiteral("level"), QString(),
                                         QStringLiteral("level"));
    const QCommandLineOption knownOption(QStringLiteral("known"), QString(),
                                         QStringLiteral("list"));
    const QCommandLineOption firstOnlyOption(QStringLiteral("first-only"));
    const QCommandLineOption weakFormsOption(QStringLiteral("weak-forms"));
    const QCommandLineOption symbolsOption(QStringLiteral("symbols"), QString(),
                                           QStringLiteral("symbols"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption guessOption(QStringLiteral("guess"));
    const QCommandLineOption accentOption(QStringLiteral("accent"), QString(),
                                          QStringLiteral("accent"));
    parser.addOptions({batchOption, textOption, sayOption, outputOption, formatOption, levelOption,
                       knownOption, firstOnlyOption, symbolsOption, helpOption, guessOption,
                       weakFormsOption, accentOption});
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
    for (const QCommandLineOption* once :
         {&batchOption, &textOption, &sayOption, &outputOption, &formatOption, &levelOption,
          &knownOption, &symbolsOption, &accentOption}) {
        if (parser.values(*once).size() > 1) {
            return usageError(QStringLiteral("请只用一次 --%1。").arg(once->names().last()));
        }
    }
    const int runs = int(parser.isSet(batchOption)) + int(parser.isSet(textOption)) +
                     int(parser.isSet(sayOption));
    if (runs != 1) {
        return usageError(QStringLiteral("请用 --batch、--text 或 --say 中的一个。"));
    }
    const QString output = parser.value(outputOption);
    if (parser.isSet(outputOption) && output.isEmpty()) {
        return usageError(QStringLiteral("请用 --output 给出一个结果文件。"));
    }
    const bool guess = parser.isSet(guessOption);
    Symbols symbols = Symbols::Classic;
    if (!chooseNamed(parser, symbolsOption, kSymbols, QStringLiteral("音标写法"), symbols)) {
        return kExitUsage;
    }
    const std::optional<core::Accent> accent = chosenAccent(parser, accentOption);
    if (!accent) {
        return kExitUsage;
    }
    const bool textOnly = parser.isSet(levelOption) || parser.isSet(knownOption) ||
                          parser.isSet(firstOnlyOption) || parser.isSet(weakFormsOption);

    if (parser.isSet(sayOption)) {
        if (parser.isSet(formatOption) || textOnly || parser.isSet(symbolsOption)) {
            return usageError(QStringLiteral("--say 只能和 --output、--guess、--accent 一起用。"));
        }
        if (parser.value(sayOption).trimmed().isEmpty()) {
            return usageError(QStringLiteral("请用 --say 给出一个单词或一段音标。"));
        }
        if (output.isEmpty()) {
            return usageError(QStringLiteral("请用 --output 给出保存读音的 WAV 文件。"));
        }
        return runSay({parser.value(sayOption), output, guess, *accent}, services);
    }

    if (parser.isSet(batchOption)) {
        if (textOnly) {
            return usageError(
                QStringLiteral("--level、--known、--first-only 和 --weak-forms 只用于 --text。"));
        }
        BatchRun run{
            parser.value(batchOption), output, core::BatchFormat::Lines, guess, symbols, *accent};
        if (run.wordList.isEmpty()) {
            return usageError(QStringLiteral("请用 --batch 给出一个单词表文件。"));
        }
        // A document name asks for the document; anything else gets the lines.
        if (endsWithAny(output, {".rtf", ".doc"})) {
            run.format = core::BatchFormat::Rtf;
        }
        if (!chooseNamed(parser, formatOption, kBatchFormats, QStringLiteral("输出格式"),
                         run.format)) {
            return kExitUsage;
        }
        return runBatch(run, services);
    }

    TextRun run;
    run.text = parser.value(textOption);
    run.output = output;
    if (run.text.isEmpty()) {
        return usageError(QStringLiteral("请用 --text 给出一篇文章（文本文件）。"));
    }
    run.format = endsWithAny(output, {".rtf", ".doc"})    ? TextFormat::Rtf
                 : endsWithAny(output, {".html", ".htm"}) ? TextFormat::Html
                                                          : TextFormat::Ipa;
    if (!chooseNamed(parser, formatOption, kTextFormats, QStringLiteral("输出格式"), run.format)) {
        return kExitUsage;
    }
    const QString level = parser.value(levelOption);
    if (level == QLatin1String("cet4") || level == QLatin1String("cet6")) {
        run.examination =
            level == QLatin1String("cet4") ? core::Examination::Band4 : core::Examination::Band6;
    } else if (parser.isSet(levelOption) && level != QLatin1String("all")) {
        bool number = false;
        run.level = parser.value(levelOption).toInt(&number);
        if (!number || std::find(core::kReaderLevels.begin(), core::kReaderLevels.end(),
                                 run.level) == core::kReaderLevels.end()) {
            return usageError(
                QStringLiteral("--level 可用 1000、2000、3000、5000、8000、cet4、cet6 或 all。"));
        }
    }
    run.known = parser.value(knownOption);
    run.firstOnly = parser.isSet(firstOnlyOption);
    run.weakForms = parser.isSet(weakFormsOption);
    run.guess = guess;
    run.symbols = symbols;
    run.accent = *accent;
    return runText(run, services);
}

}  // namespace commandline
