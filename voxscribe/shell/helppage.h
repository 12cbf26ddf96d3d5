// The help page "help.htm" that ships in the program folder: the three ways of working, the
// phonetic keyboard with its key map, saving and the phonetic font. The page is the template
// help.html beside this file with the key map and the palette printed from the keyboard tables,
// so the page always says what the keyboard does.
#pragma once

#include <QString>
#include <cstddef>
#include <vector>

namespace shell {

struct HelpKey {
    QString key;     // the physical key, "F1", "1", "P", "小键盘 1"
    QString codes;   // the phonetic codes the key inserts
    QString symbol;  // the IPA symbols the phonetic font draws for them
};

// The keys of the physical keyboard map, in the keyboard's order.
std::vector<HelpKey> helpKeyMap();
// The IPA symbols of a keyboard or palette code; the codes themselves when the notation lacks it.
QString ipaSymbol(const QString& codes);
// The whole page: pageTemplate (the text of help.html) with its {{key-cards}},
// {{unmapped-buttons}}, {{palette-cells}} and {{dictionary-entries}} (the number of keys the
// built-in dictionary holds) filled in.
QString helpPageHtml(const QString& pageTemplate, std::size_t dictionaryEntries);

}  // namespace shell
