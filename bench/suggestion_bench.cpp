// Suggestions for words the dictionary lacks: how often they equal what the dictionary would
// write, and how long one takes. The quality sample is 2,000 words that the dictionary holds
// and the style reference does not (the reference shaped the converter, so it would flatter it),
// spread evenly over the alphabet. "--list" prints word, suggestion and dictionary entry per line.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "benchsupport.h"
#include "suggestion.h"
#include "wordtables.h"

namespace {

constexpr qsizetype kSampleSize = 2000;

QSet<QString> styleReferenceWords() {
    QSet<QString> words;
    QFile file(
        QStringLiteral(VOXSCRIBE_SHARED_DATA_DIR "/wordlists/cet4-syllabus-transcriptions.tsv"));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (!line.startsWith(u'#')) {
                words.insert(line.section(u'\t', 0, 0).trimmed().toLower());
            }
        }
    }
    return words;
}

struct Sample {
    QString word;
    QString transcription;  // the dictionary's, without the blank some entries begin with
};

bool lettersOnly(const QString& word) {
    return !word.isEmpty() &&
           std::all_of(word.begin(), word.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

QList<Sample> sample(const QSet<QString>& reference) {
    QList<Sample> all;
    for (const sonabet::WordGroup& group : sonabet::wordGroups()) {
        for (std::size_t i = 0; i < group.size(); ++i) {
            const sonabet::Entry entry = group.entry(i);
            const QString word = QString::fromStdU16String(std::u16string(entry.key));
            if (lettersOnly(word) && !reference.contains(word)) {
                QString codes = QString::fromStdU16String(std::u16string(entry.transcription));
                if (codes.startsWith(u' ')) {
                    codes.remove(0, 1);
                }
                all.append({word, codes});
            }
        }
    }
    std::sort(all.begin(), all.end(),
              [](const Sample& a, const Sample& b) { return a.word < b.word; });
    if (all.size() <= kSampleSize) {
        return all;
    }
    QList<Sample> picked;
    for (qsizetype i = 0; i < kSampleSize; ++i) {
        picked.append(all[i * all.size() / kSampleSize]);
    }
    return picked;
}

qsizetype editDistance(const QString& a, const QString& b) {
    QList<qsizetype> previous(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j) {
        previous[j] = j;
    }
    for (qsizetype i = 1; i <= a.size(); ++i) {
        QList<qsizetype> current(b.size() + 1);
        current[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        }
        previous = current;
    }
    return previous[b.size()];
}

void reportQuality(bool list) {
    const QSet<QString> reference = styleReferenceWords();
    if (reference.isEmpty()) {
        std::printf("quality: the style reference is missing (shared data); not measured\n");
        return;
    }
    core::EspeakSuggestion suggestion;
    QElapsedTimer load;
    load.start();
    if (!suggestion.available()) {
        std::printf("quality: eSpeak NG or its data is missing; not measured\n");
        return;
    }
    const double loadMs = double(load.nsecsElapsed()) / 1e6;
    const QList<Sample> words = sample(reference);
    qsizetype exact = 0;
    qsizetype withinOne = 0;
    QElapsedTimer timer;
    timer.start();
    for (const Sample& s : words) {
        const QString codes = suggestion.suggest(s.word);
        exact += codes == s.transcription ? 1 : 0;
        withinOne += editDistance(codes, s.transcription) <= 1 ? 1 : 0;
        if (list) {
            std::printf("%s\t%s\t%s\n", qPrintable(s.word), qPrintable(codes),
                        qPrintable(s.transcription));
        }
    }
    const double perWordMs = double(timer.nsecsElapsed()) / 1e6 / double(words.size());
    std::printf("quality: %lld words; exact %.1f%%; within one code %.1f%%\n",
                static_cast<long long>(words.size()), 100.0 * double(exact) / double(words.size()),
                100.0 * double(withinOne) / double(words.size()));
    std::printf("time: first use (loading eSpeak NG) %.1f ms; then %.3f ms per word\n", loadMs,
                perWordMs);
}

void BM_Suggestion(benchmark::State& state) {
    core::EspeakSuggestion suggestion;
    if (!suggestion.available()) {
        state.SkipWithError("eSpeak NG or its data is missing");
        return;
    }
    const QStringList words = {"quality",      "accommodation", "voxscribe", "smartphone",
                               "unbelievable", "xylophone",     "New York",  "brexit"};
    bench::askInTurn(state, words, [&](const QString& word) { return suggestion.suggest(word); });
}
BENCHMARK(BM_Suggestion)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool list = argc > 1 && std::strcmp(argv[1], "--list") == 0;
    reportQuality(list);
    if (list) {
        return 0;
    }
    return bench::runBenchmarks(argc, argv);
}
