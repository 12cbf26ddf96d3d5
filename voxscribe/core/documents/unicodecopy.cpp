#include "unicodecopy.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "documentstyle.h"
#include "unicodeipa.h"

namespace core {
namespace {

// The characters [from, to) of a run of phonetic codes as Unicode IPA; the whole run decides
// which of its slashes wrap a transcription.
QString runAsUnicodeIpa(const QString& run, int from, int to, sonabet::notation::Symbols symbols) {
    const auto offset = [&run](int index) { return std::size_t(run.left(index).toUtf8().size()); };
    const std::string converted = sonabet::notation::toUnicodeIpa(
        run.toUtf8().toStdString(), offset(from), offset(to), symbols);
    return QString::fromStdString(converted);
}

QString htmlSpan(const QString& text, const QString& faces, const char* colour) {
    return QStringLiteral("<span style=\"font-family: %1; color: %2\">%3</span>")
        .arg(faces.toHtmlEscaped(), QLatin1String(colour), text.toHtmlEscaped());
}

}  // namespace

UnicodeCopy unicodeIpaCopy(const QTextDocument& document, int from, int to,
                           sonabet::notation::Symbols symbols) {
    const QFont defaultFont = document.defaultFont();
    UnicodeCopy copy;
    copy.html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><p>");
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position()) - fragment.position();
            const int stop =
                std::min(to, fragment.position() + fragment.length()) - fragment.position();
            if (start >= stop) {
                continue;
            }
            const QFont font = fragment.charFormat().font().resolve(defaultFont);
            if (font.family() == phoneticFont()) {
                const QString ipa = runAsUnicodeIpa(fragment.text(), start, stop, symbols);
                copy.plain += ipa;
                copy.html += htmlSpan(ipa, ipaFaces(), "#0000ff");
            } else {
                const QString text = fragment.text().mid(start, stop - start);
                copy.plain += text;
                copy.html += htmlSpan(text, QLatin1Char('\'') + font.family() + QLatin1Char('\''),
                                      "#000000");
            }
        }
        const int paragraphMark = block.position() + block.length() - 1;
        if (paragraphMark >= from && paragraphMark < to) {
            copy.plain += QLatin1Char('\n');
            copy.html += QStringLiteral("</p><p>");
        }
    }
    copy.html += QStringLiteral("</p></body></html>");
    return copy;
}

}  // namespace core
