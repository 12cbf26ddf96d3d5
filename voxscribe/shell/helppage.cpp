#include "helppage.h"

#include <QLocale>
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

// The key map as small cards: the key, the IPA symbol, and the codes in the phonetic font (which
// show as the same symbol once the font is installed).
QString keyCards() {
    QString cards;
    for (const HelpKey& key : helpKeyMap()) {
        cards += QStringLiteral(
                     "<div class=\"card\"><kbd>%1</kbd> <span class=\"ipa\">%2</span> "
                     "<span class=\"ks\">%3</span> <span class=\"raw\">%3</span></div>\n")
                     .arg(escaped(key.key), escaped(key.symbol), escaped(key.codes));
    }
    return cards;
}

// Buttons that no physical key stands for (the tables leave some): only a click enters them.
QString unmappedButtons() {
    QStringList symbols;
    for (const keyboard::KeyboardButton& button : keyboard::kKeyboardButtons) {
        bool mapped = false;
        for (const keyboard::MappedKey& key : keyboard::kKeyMap) {
            mapped = mapped || key.buttonIndex == button.index;
        }
        if (!mapped) {
            symbols << QStringLiteral("<span class=\"ipa\">%1</span>")
                           .arg(escaped(ipaSymbol(fromView(button.inserts))));
        }
    }
    return symbols.join(QStringLiteral("、"));
}

QString paletteCells() {
    QString cells;
    for (const keyboard::PaletteButton& button : keyboard::kPaletteButtons) {
        const QString code(QChar::fromLatin1(button.code));
        cells += QStringLiteral(
                     "<td><span class=\"ipa\">%1</span><br><span class=\"raw\">%2</span>"
                     "</td>")
                     .arg(escaped(ipaSymbol(code)), escaped(code));
    }
    return cells;
}

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
    for (const keyboard::MappedKey& key : keyboard::kKeyMap) {
        const QString codes = keyboard::insertedText(key.buttonIndex);
        keys.push_back(HelpKey{fromView(key.key), codes, ipaSymbol(codes)});
    }
    return keys;
}

QString helpPageHtml(const QString& pageTemplate, std::size_t dictionaryEntries) {
    QString page = pageTemplate;
    page.replace(QStringLiteral("{{dictionary-entries}}"),
                 QLocale(QLocale::English).toString(qulonglong(dictionaryEntries)));
    page.replace(QStringLiteral("{{key-cards}}"), keyCards());
    page.replace(QStringLiteral("{{palette-cells}}"), paletteCells());
    page.replace(QStringLiteral("{{unmapped-buttons}}"), unmappedButtons());
    return page;
}

}  // namespace shell
