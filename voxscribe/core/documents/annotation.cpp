#include "annotation.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "notation.h"

namespace core {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// The opening and closing slash of a transcription wrapped in slashes; -1 when it is not.
std::pair<qsizetype, qsizetype> wrappingSlashes(QStringView codes) {
    const auto [open, close] = sonabet::notation::wrappingSlashes(codes);
    if (open == sonabet::notation::kNoSlash) {
        return {-1, -1};
    }
    return {qsizetype(open), qsizetype(close)};
}

QStringView formSeparator() {
    return sonabet::notation::kFormSeparator;
}

void append(QList<Run>& runs, const QString& text, const QString& family, quint32 colour) {
    appendRun(runs, {text, family, colour});
}

}  // namespace

QString Step::text() const {
    return textOf(runs);
}

void appendRun(QList<Run>& runs, const Run& run) {
    if (run.text.isEmpty()) {
        return;
    }
    if (!runs.isEmpty() && runs.back().family == run.family && runs.back().colour == run.colour) {
        runs.back().text += run.text;
        return;
    }
    runs.push_back(run);
}

QString textOf(const QList<Run>& runs) {
    QString text;
    for (const Run& run : runs) {
        text += run.text;
    }
    return text;
}

QList<Run> transcriptionRuns(const QString& codes, const QString& latinFamily, quint32 colour) {
    const auto [open, close] = wrappingSlashes(codes);
    QList<Run> runs;
    QString pending;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        if (i == open || i == close) {
            continue;
        }
        // A comma before a blank separates two pronunciations; before a syllable it is the
        // secondary stress.
        if (codes[i] == u',' && i + 1 < codes.size() && isBlank(codes[i + 1])) {
            append(runs, std::exchange(pending, {}), phoneticFont(), colour);
            append(runs, QStringView(codes).mid(i, 2).toString(), latinFamily, kBlack);
            ++i;
            continue;
        }
        pending += codes[i];
    }
    append(runs, pending, phoneticFont(), colour);
    return runs;
}

QStringList pronunciations(QStringView word, QStringView codes) {
    QStringView bare = codes.trimmed();
    const auto [open, close] = wrappingSlashes(bare);
    if (open == 0 && close == bare.size() - 1) {
        bare = bare.sliced(1, bare.size() - 2);
    }
    const bool phrase = word.contains(u' ');
    QStringList forms;
    for (const QStringView part : bare.split(formSeparator())) {
        if (phrase) {
            forms << part.trimmed().toString();
            continue;
        }
        for (const QStringView form : part.split(u' ', Qt::SkipEmptyParts)) {
            forms << form.toString();
        }
    }
    forms.removeAll(QString());
    return forms;
}

QString tidyTranscription(QStringView word, const QString& codes) {
    const QStringList forms = pronunciations(word, codes);
    if (forms.size() < 2) {
        return forms.value(0);
    }
    return u'/' + forms.join(formSeparator()) + u'/';
}

MarkPair marksAfterWord(Marks marks) {
    return marks == Marks::SquareBrackets ? MarkPair{QStringLiteral(" ["), QStringLiteral("]")}
                                          : MarkPair{QStringLiteral(" /"), QStringLiteral(" /")};
}

MarkPair marksAfterLabel(Marks marks) {
    return marks == Marks::SquareBrackets ? MarkPair{QStringLiteral("["), QStringLiteral("]")}
                                          : MarkPair{QStringLiteral("/"), QStringLiteral("/")};
}

Insertion smartEntry(const QString& entry, const QString& transcription, Marks marks) {
    const MarkPair pair = marksAfterWord(marks);
    return {
        {{{entry + pair.opening, latinFont(), kBlack}}, true},
        {transcriptionRuns(tidyTranscription(entry.trimmed(), transcription), latinFont()), true},
        {{{pair.closing, latinFont(), kBlack}}, false},
    };
}

Insertion manualEntryLine(const QString& word, const QString& typed) {
    QList<Run> runs;
    append(runs, word + u'/', QString(), kBlack);
    append(runs, typed, phoneticFont(), kBlue);
    append(runs, QStringLiteral("/\r\n"), QString(), kBlack);
    return {{runs, true}};
}

Insertion manualInputWord(const QString& word) {
    return {{{{word + u' ', manualInputLatinFont(), kBlack}}, true}};
}

Insertion manualInputCodes(const QString& codes, ManualMarks marks) {
    struct MarkPair {
        ManualMarks marks;
        QStringView opening;
        QStringView closing;
    };
    static constexpr MarkPair kMarks[] = {
        {ManualMarks::SquareBrackets, u" [", u"] "},
        {ManualMarks::Slashes, u"/", u"/"},
        {ManualMarks::None, u"", u""},
    };
    const MarkPair& pair = kMarks[static_cast<int>(marks)];
    Insertion insertion;
    if (!pair.opening.isEmpty()) {
        insertion.push_back({{{pair.opening.toString(), manualInputLatinFont(), kBlack}}, false});
    }
    insertion.push_back({{{codes, phoneticFont(), kBlue}}, true});
    if (!pair.closing.isEmpty()) {
        insertion.push_back({{{pair.closing.toString(), manualInputLatinFont(), kBlack}}, false});
    }
    return insertion;
}

QList<Run> batchLine(const QString& key, const QString& transcription) {
    QList<Run> runs;
    append(runs, key + u'/', latinFont(), kBlack);
    if (transcription.isEmpty()) {
        append(runs, placeholder(), phoneticFont(), kBlue);
    } else {
        for (const Run& run :
             transcriptionRuns(tidyTranscription(key, transcription), latinFont())) {
            append(runs, run.text, run.family, run.colour);
        }
    }
    append(runs, QStringLiteral("/\r\n"), latinFont(), kBlack);
    return runs;
}

QString batchLineText(const QString& key, const QString& transcription) {
    return key + u'/' + transcription + QStringLiteral("/\r\n");
}

QString guessedBatchLineText(const QString& key, const QString& codes) {
    return key + u'/' + codes + QStringLiteral("/?\r\n");
}

QList<Run> guessedBatchLine(const QString& key, const QString& codes) {
    QList<Run> runs;
    append(runs, key + u'/', latinFont(), kBlack);
    for (const Run& run : transcriptionRuns(codes, latinFont(), kGrey)) {
        append(runs, run.text, run.family, run.colour);
    }
    append(runs, QStringLiteral("/\r\n"), latinFont(), kBlack);
    return runs;
}

QString transcriptionNear(const QTextCursor& caret) {
    return transcriptionNear(*caret.document(),
                             caret.hasSelection() ? caret.selectionStart() : caret.position());
}

QString transcriptionNear(const QTextDocument& document, int position) {
    const QTextBlock block = document.findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QFont font = fragment.charFormat().font().resolve(document.defaultFont());
        if (font.family() == phoneticFont() &&
            fragment.position() + fragment.length() >= position) {
            return fragment.text();
        }
    }
    return {};
}

}  // namespace core
