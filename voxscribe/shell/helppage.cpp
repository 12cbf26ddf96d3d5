#include "helppage.h"

#include <QStringList>

#include "notation.h"
#include "phonetickeyboard.h"

namespace shell {
namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// The key map as a grid of small cards: the key, the IPA symbol, and the codes in the phonetic
// font (which show as the same symbol once the font is installed).
QString keyMapGrid() {
    QString cards;
    for (const HelpKey& key : helpKeyMap()) {
        cards += QStringLiteral(
                     "<div class=\"card\"><kbd>%1</kbd> <span class=\"ipa\">%2</span> "
                     "<span class=\"ks\">%3</span> <span class=\"raw\">%3</span></div>\n")
                     .arg(escaped(key.key), escaped(key.symbol), escaped(key.codes));
    }
    return QStringLiteral("<div class=\"keys\">\n") + cards + QStringLiteral("</div>\n");
}

// Buttons that no physical key stands for: only a click enters them.
QString buttonsWithoutKeys() {
    QStringList symbols;
    for (const manual::KeyboardButton& button : manual::kKeyboardButtons) {
        bool mapped = false;
        for (const manual::MappedKey& key : manual::kKeyMap) {
            mapped = mapped || key.buttonIndex == button.index;
        }
        if (!mapped) {
            symbols << QStringLiteral("<span class=\"ipa\">%1</span>")
                           .arg(escaped(ipaSymbol(fromView(button.inserts))));
        }
    }
    if (symbols.isEmpty()) {
        return QString();
    }
    return QStringLiteral("<p>下列按钮没有对应的按键，请用鼠标单击：%1。</p>\n")
        .arg(symbols.join(QStringLiteral("、")));
}

QString paletteTable() {
    QString cells;
    for (const manual::PaletteButton& button : manual::kPaletteButtons) {
        const QString code(QChar::fromLatin1(button.code));
        cells += QStringLiteral(
                     "<td><span class=\"ipa\">%1</span><br><span class=\"raw\">%2</span>"
                     "</td>")
                     .arg(escaped(ipaSymbol(code)), escaped(code));
    }
    return QStringLiteral("<table class=\"palette\"><tr>") + cells +
           QStringLiteral("</tr></table>\n");
}

const char* const kStyle = R"(
body { font-family: "Noto Sans CJK SC", "WenQuanYi Micro Hei", "Microsoft YaHei", sans-serif;
       max-width: 860px; margin: 0 auto; padding: 0 24px 48px; line-height: 1.7; color: #222; }
header { background: linear-gradient(90deg, #1f4e79, #3a8fb7); color: white;
         padding: 18px 24px; margin: 0 -24px 24px; border-bottom: 3px solid #f2b134; }
header h1 { margin: 0; font-size: 26px; }
header p { margin: 4px 0 0; opacity: .85; }
h2 { color: #1f4e79; border-bottom: 1px solid #c9d6e0; padding-bottom: 4px; margin-top: 36px; }
h3 { color: #2c6a94; }
nav a { margin-right: 14px; }
table { border-collapse: collapse; margin: 12px 0; }
th, td { border: 1px solid #c9d6e0; padding: 4px 12px; text-align: left; }
th { background: #eef3f7; }
div.keys { display: grid; grid-template-columns: repeat(auto-fill, minmax(190px, 1fr)); gap: 6px; }
div.card { border: 1px solid #c9d6e0; border-radius: 6px; padding: 4px 10px; background: #fbfdfe; }
td.ipa, span.ipa { font-family: "Doulos SIL", "Charis SIL", "DejaVu Sans", "Lucida Sans Unicode",
                   sans-serif; font-size: 18px; }
span.ks { font-family: "Kingsoft Phonetic Plain"; color: #1f4ec8; font-size: 18px; }
span.raw { font-family: monospace; color: #777; }
kbd { border: 1px solid #9bb7cc; border-radius: 4px; background: #f4f8fb; padding: 1px 6px;
      font-family: monospace; }
table.palette td { text-align: center; min-width: 36px; }
.note { background: #fffdf5; border: 1px solid #e3d9b8; border-radius: 4px; padding: 8px 14px; }
pre { background: #f4f6f8; border: 1px solid #dde3e8; padding: 10px 14px; overflow-x: auto; }
)";

const char* const kIntroduction = R"(
<header><h1>Voxscribe V 3.0 使用帮助</h1><p>英语单词音标标注软件</p></header>
<nav><a href="#modes">三种工作方式</a><a href="#keyboard">音标键盘</a><a href="#keymap">按键对照表</a>
<a href="#save">保存与转入Word</a><a href="#unicode">复制为Unicode音标</a><a href="#commandline">命令行</a>
<a href="#missing">unfound.dat</a><a href="#font">音标字体</a></nav>
<p>Voxscribe 帮助您写出带音标的英语文本：单词用普通字体显示为黑色，音标用音标字体显示为蓝色。
程序启动后先出现主窗口，把鼠标移到某一项上可以看到它的简介，单击即可进入。
关闭主窗口时，程序会询问“您确定要退出吗?”，确定后所有窗口一起关闭，未保存的文档不再询问，请先保存。</p>

<h2 id="modes">三种工作方式</h2>
<h3>智能标注</h3>
<p>适合绝大多数用户。在“录入单词”框中输入一个英语单词，按<kbd>回车</kbd>（或单击“确定”），
软件自动在文档中写入这个单词和它的音标，例如 <i>quality</i> [ˈkwɔliti]。内置词典收录约六千六百个常用单词和人名。</p>
<ul>
<li>“自动加边界[]”与“自动加边界//”选择音标两边加方括号还是斜线（<kbd>Alt</kbd>+<kbd>1</kbd>、<kbd>Alt</kbd>+<kbd>2</kbd>）。</li>
<li>按<kbd>Esc</kbd>在“标注音标”与“输入单词”之间转换：输入单词时，您输入的文字原样写入文档，不加音标，
因此可以把音标与普通文字混合输入。</li>
<li>词典中没有的单词，软件会询问是否手工输入音标：选“是”打开音标输入对话框，用音标键盘输入后确认，
单词和您输入的音标写入文档，并一起记入 <a href="#missing">unfound.dat</a>；
选“否”则以“none”作为音标写入文档，这个单词不记入 unfound.dat；选“取消”则什么也不写，单词留在录入框中供您修改。</li>
</ul>
<h3>手动输入</h3>
<p>适合输入特殊、不常见的单词。音标用屏幕上的音标键盘或对应的物理按键输入（见下文），单词用普通键盘输入。</p>
<ul>
<li>按<kbd>Esc</kbd>在“输入音标”与“输入单词”之间转换。</li>
<li>按<kbd>回车</kbd>或单击“确认”，把当前输入写入文档。音标可选加方括号 [ ]、斜线 / / 或不加边界
（<kbd>Alt</kbd>+<kbd>1</kbd>、<kbd>Alt</kbd>+<kbd>2</kbd>、<kbd>Alt</kbd>+<kbd>3</kbd>）。</li>
<li>键盘下方的提示文字可以单击“隐藏”/“提示”收起或显示；在键盘空白处单击鼠标右键也可打开提示菜单。</li>
<li>单击“more”打开不常用音标面板。</li>
</ul>
<h3>批量标注</h3>
<p>适合出版社、杂志社等需要大量标注的场合。先准备一个文本文件（.txt），每行一个单词；
在批量标注窗口中选择这个文件，软件一次为所有单词标注音标，每个单词一行。
词典中没有的单词写成“单词/  /”，并记入 <a href="#missing">unfound.dat</a>，您可以稍后用“手动输入”补上音标。</p>
)";

const char* const kKeyboardText = R"(
<h2 id="keyboard">音标键盘</h2>
<p>手动输入窗口和音标输入对话框中有一个音标键盘：单击按钮即可输入该音标。
为了输入更快，键盘上的大部分音标也可以直接用电脑键盘输入：功能键 <kbd>F1</kbd>～<kbd>F12</kbd>
输入第一行的辅音和重音、长音符号，数字键 <kbd>1</kbd>～<kbd>0</kbd> 输入第二行的元音，
小键盘的数字键和 <kbd>/</kbd>、<kbd>*</kbd> 输入第三行的长元音和双元音，字母键输入相同读音的辅音。
使用小键盘前请打开 <kbd>Num Lock</kbd>。在音标输入框中按<kbd>退格</kbd>删除最后一个音标。</p>
<p class="note">音标在文档中以“字体代码”保存：每个音标是一个或几个英文字符，由音标字体 Kingsoft Phonetic Plain
画成国际音标。下表每一格依次是按键、国际音标、用音标字体显示的代码（蓝色）和代码本身（灰色）。
如果蓝色字符与国际音标不一样，说明音标字体还没有安装，请看<a href="#font">音标字体</a>一节。</p>
)";

const char* const kSaveText = R"(
<h2 id="save">保存与转入Word</h2>
<ul>
<li>单击“保存”，选择文件名和类型（Word 文档 .doc 或 rtf 文件 .rtf）。文件内容为 RTF 格式，
LibreOffice Writer、WPS 和 Microsoft Word 都能打开，音标保持蓝色音标字体。</li>
<li>第一次保存以后，软件每隔一分钟自动把文档保存到同一个文件中，因此建议您在录入开始时就保存一次。</li>
<li>单击“转入Word”，软件把文档写入程序文件夹中的临时文件（tmp 加数字 .doc），并用系统中与 .doc 关联的程序打开它，
您可以在那里继续编辑、排版和打印。退出程序时这些临时文件会被删除，需要保留的内容请在文字处理软件中另存。</li>
<li>关闭工作窗口或退出程序时不会再次提醒保存。</li>
</ul>

<h2 id="unicode">复制为Unicode音标</h2>
<p>文档中的音标用音标字体的代码保存，在没有安装音标字体的电脑、网页或聊天软件中会显示成普通字母。
在三个工作窗口的文档中单击鼠标右键，选“复制为Unicode音标”，软件把选中的内容（没有选中时为整个文档）
复制到剪贴板，其中的音标都换成 Unicode 国际音标，例如 5kwRliti 换成 ˈkwɔliti。
粘贴到文字处理软件、网页或聊天软件中，单词为黑色，音标为蓝色，不需要音标字体也能正确显示。
音标两边的斜线保留为斜线，音标中的斜线（ε 的代码）换成 ε。</p>

<h2 id="commandline">命令行</h2>
<p>批量标注也可以不打开窗口，在终端中进行，适合脚本和大量文件：</p>
<pre>voxscribe --batch 单词表.txt [--format lines|ipa|rtf] [--output 结果文件]</pre>
<ul>
<li><code>--format lines</code>：每个单词一行“单词/音标/”，音标为音标字体的代码（不给出 --output 时的默认格式）。</li>
<li><code>--format ipa</code>：每个单词一行：单词、制表符、Unicode 国际音标（没找到时为空），UTF-8 编码，
例如 <code>voxscribe --batch 单词表.txt --format ipa</code> 输出一行：<code>quality</code>、一个制表符、<code>ˈkwɔliti</code>。</li>
<li><code>--format rtf</code>：与批量标注窗口保存的文档相同（结果文件名以 .rtf 或 .doc 结尾时的默认格式）。</li>
<li>不给出 <code>--output</code> 时结果写到标准输出；统计和错误信息写到标准错误输出。
<code>voxscribe --help</code> 显示全部用法。</li>
</ul>

<h2 id="missing">unfound.dat 在哪里</h2>
<p>词典中没有的单词（批量标注）和您手工输入的音标（音标输入对话框）记在文本文件 unfound.dat 中。
它在程序文件夹（voxscribe 程序所在的文件夹）中；程序文件夹不可写时（例如从软件包安装在
<code>/usr/lib/voxscribe</code>），它在您的个人数据文件夹 <code>~/.local/share/voxscribe/</code> 中
（设置了 XDG_DATA_HOME 时为 <code>$XDG_DATA_HOME/voxscribe/</code>）。“转入Word”的临时文件也放在同一个文件夹中。</p>
)";

const char* const kFontText = R"(
<h2 id="font">音标字体</h2>
<p>音标依靠 TrueType 字体 <b>Kingsoft Phonetic Plain</b>（文件名 <code>Ksphonet.ttf</code>）显示。
这个字体文件随软件一起放在程序文件夹（voxscribe 程序所在的文件夹）中。
软件启动时会在系统字体文件夹中查找 <code>Ksphonet.ttf</code>，找不到时会提示您，但程序仍可继续使用，只是音标会显示为普通字母。</p>
<p>在 Linux 中，系统字体文件夹是 fontconfig 读取的所有字体文件夹，包括全系统的（如 <code>/usr/share/fonts/</code> 及其子文件夹）
和您个人的（<code>~/.local/share/fonts/</code>，设置了 XDG_DATA_HOME 时为 <code>$XDG_DATA_HOME/fonts/</code>）。
用软件包（.deb）安装时，字体已安装在 <code>/usr/share/fonts/truetype/voxscribe/</code> 中，电脑上的每个用户都不需要再做什么。
自己编译运行、没有安装软件包时，可以把字体复制到个人字体文件夹：</p>
<ol>
<li>打开终端，进入程序文件夹，例如 <code>cd /usr/local/lib/voxscribe</code>（以您的安装位置为准）。</li>
<li>执行下面的命令，把字体复制到个人字体文件夹并刷新字体缓存：
<pre>mkdir -p ~/.local/share/fonts
cp Ksphonet.ttf ~/.local/share/fonts/
fc-cache -f ~/.local/share/fonts</pre></li>
<li>重新启动本程序。</li>
</ol>
<p>也可以在文件管理器中双击 <code>Ksphonet.ttf</code>，用字体查看器的“安装”按钮安装，效果相同。
请注意文件名必须是 <code>Ksphonet.ttf</code>，改名后的字体文件不会被软件认出。</p>
<p>如果设置了环境变量 windir，软件改为在 <code>$windir/FONTS/</code> 中查找字体文件。</p>
)";

}  // namespace

QString ipaSymbol(const QString& codes) {
    const std::string wanted = codes.toStdString();
    for (const sonabet::notation::Code& code : sonabet::notation::codes()) {
        if (!wanted.empty() && code.keyboard == wanted) {
            return QString::fromStdString(code.symbol);
        }
    }
    return codes;
}

std::vector<HelpKey> helpKeyMap() {
    std::vector<HelpKey> keys;
    for (const manual::MappedKey& key : manual::kKeyMap) {
        const QString codes = manual::insertedText(key.buttonIndex);
        keys.push_back(HelpKey{fromView(key.key), codes, ipaSymbol(codes)});
    }
    return keys;
}

QString helpPageHtml() {
    QString page;
    page += QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Voxscribe V 3.0 使用帮助</title>\n<style>");
    page += QString::fromUtf8(kStyle);
    page += QStringLiteral("</style>\n</head>\n<body>\n");
    page += QString::fromUtf8(kIntroduction);
    page += QString::fromUtf8(kKeyboardText);
    page += QStringLiteral("<h3 id=\"keymap\">按键对照表</h3>\n");
    page += keyMapGrid();
    page += buttonsWithoutKeys();
    page += QStringLiteral(
        "<h3>不常用音标</h3>\n<p>在手动输入窗口单击“more”，或在音标输入对话框中打开音标面板，"
        "可以输入下列不常用音标：</p>\n");
    page += paletteTable();
    page += QString::fromUtf8(kSaveText);
    page += QString::fromUtf8(kFontText);
    page += QStringLiteral("</body>\n</html>\n");
    return page;
}

}  // namespace shell
