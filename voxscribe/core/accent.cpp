#include "accent.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "unicodeipa.h"

namespace core {
namespace {

constexpr AccentFacts kAccents[] = {
    {Accent::British, "uk", "英"},
    {Accent::American, "us", "美"},
    {Accent::Both, "both", "英美"},
};

void appendShown(QList<Run>& runs, const Shown& shown, const QString& missing,
                 const QString& latinFamily) {
    const quint32 colour = shown.toCheck ? kGrey : kBlue;
    const QString codes = shown.codes.isEmpty() ? missing : shown.codes;
    for (const Run& run : transcriptionRuns(codes, latinFamily, colour)) {
        appendRun(runs, run);
    }
}

}  // namespace

std::span<const AccentFacts> accents() {
    return kAccents;
}

const AccentFacts& factsOf(Accent accent) {
    return kAccents[static_cast<int>(accent)];
}

std::optional<Accent> accentOfOption(QStringView option) {
    for (const AccentFacts& facts : kAccents) {
        if (option == QLatin1String(facts.option)) {
            return facts.accent;
        }
    }
    return std::nullopt;
}

QList<Run> bothRuns(const Shown& british, const Shown& american, Marks marks,
                    const QString& missing, const QString& latinFamily) {
    const MarkPair pair = marksAfterLabel(marks);
    QList<Run> runs;
    appendRun(runs, {u' ' + britishLabel() + pair.opening, latinFamily, kBlack});
    appendShown(runs, british, missing, latinFamily);
    appendRun(runs, {pair.closing + u' ' + americanLabel() + pair.opening, latinFamily, kBlack});
    appendShown(runs, american, missing, latinFamily);
    appendRun(runs, {pair.closing, latinFamily, kBlack});
    return runs;
}

Insertion smartEntryBoth(const QString& entry, const QString& british, const QString& american,
                         Marks marks) {
    const MarkPair pair = marksAfterLabel(marks);
    const QString word = entry.trimmed();
    const auto codes = [&](const QString& stored) {
        return transcriptionRuns(
            tidyTranscription(word, stored.isEmpty() ? QStringLiteral("none") : stored),
            latinFont());
    };
    return {
        {{{entry + u' ' + britishLabel() + pair.opening, latinFont(), kBlack}}, true},
        {codes(british), true},
        {{{pair.closing + u' ' + americanLabel() + pair.opening, latinFont(), kBlack}}, false},
        {codes(american), true},
        {{{pair.closing, latinFont(), kBlack}}, false},
    };
}

QList<Run> bothBatchLine(const QString& key, const Shown& british, const Shown& american) {
    const auto tidy = [&key](const Shown& shown) {
        return Shown{tidyTranscription(key, shown.codes), shown.toCheck};
    };
    QList<Run> runs{{key, latinFont(), kBlack}};
    for (const Run& run :
         bothRuns(tidy(british), tidy(american), Marks::SquareBrackets, placeholder())) {
        appendRun(runs, run);
    }
    appendRun(runs, {QStringLiteral("\r\n"), latinFont(), kBlack});
    return runs;
}

QString bothBatchLineText(const QString& key, const Shown& british, const Shown& american) {
    // One string grown in place: a long list writes a line for every word.
    QString line;
    line.reserve(key.size() + british.codes.size() + american.codes.size() + 16);
    line += key;
    const auto part = [&line](QChar label, const Shown& shown) {
        line += u' ';
        line += label;
        line += u'[';
        line += shown.codes.isEmpty() ? placeholder() : shown.codes;
        line += shown.toCheck ? QStringView(u"]?") : QStringView(u"]");
    };
    part(britishLabel().front(), british);
    part(americanLabel().front(), american);
    line += QStringView(u"\r\n");
    return line;
}

QByteArray americanIpa(QStringView codes) {
    return QByteArray::fromStdString(sonabet::notation::toUnicodeIpa(
        codes.toUtf8().toStdString(), sonabet::notation::Symbols::Classic));
}

PointedTranscription pointedTranscription(const QTextCursor& caret) {
    const QTextDocument& document = *caret.document();
    const int position = caret.hasSelection() ? caret.selectionStart() : caret.position();
    const QTextBlock block = document.findBlock(position);
    QString before;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QFont font = fragment.charFormat().font().resolve(document.defaultFont());
        if (font.family() != phoneticFont()) {
            before = fragment.text();
            continue;
        }
        if (fragment.position() + fragment.length() >= position) {
            const QString label = americanLabel();
            return {fragment.text(),
                    before.endsWith(label + u'[') || before.endsWith(label + u'/')};
        }
        before.clear();
    }
    return {};
}

}  // namespace core
