#include "contextmodel.h"

#include <algorithm>
#include <cmath>

#include "contextmodel.inc"

namespace core {
namespace {

constexpr QStringView kReadingNames[] = {u"N", u"A", u"V", u"D"};

// Whether a form bears its primary stress on its first syllable.
bool stressedFirst(QStringView form) {
    return form.startsWith(u'5') || !form.contains(u'5');
}

}  // namespace

const ContextModel& ContextModel::instance() {
    static const ContextModel model;
    return model;
}

ContextModel::ContextModel() : pairs_(size_t(kWordClasses * kWordClasses)) {
    const QString table = QString::fromUtf8(kContextModel);
    QHash<QString, WordClass> classes;
    std::array<int, kReadings> unseenPair{};
    for (const QStringView line : QStringView(table).split(u'\n', Qt::SkipEmptyParts)) {
        const QList<QStringView> fields = line.split(u' ');
        const QChar kind = fields[0][0];
        const auto numbers = [&](qsizetype from) {
            std::array<int, kReadings> result{};
            for (int r = 0; r < kReadings; ++r) {
                result[size_t(r)] = fields[from + r].toInt();
            }
            return result;
        };
        if (kind == u'C') {
            for (qsizetype i = 1; i < fields.size(); ++i) {
                classNames_ << fields[i].toString();
                classes.insert(fields[i].toString(), WordClass(i - 1));
            }
        } else if (kind == u'W') {
            words_.insert(fields[1].toString(), classes.value(fields[2].toString()));
        } else if (kind == u'S') {
            endings_.emplace_back(fields[1].toString(), classes.value(fields[2].toString()));
        } else if (kind == u'U' && fields[1] == u"pn") {
            unseenPair = numbers(2);
        } else if (kind == u'U') {
            auto& table = fields[1] == u"p1" ? before_ : fields[1] == u"p2" ? beforeThat_ : after_;
            table.fill(numbers(2));
        } else if (kind == u'H') {
            Heteronym word;
            word.prior = numbers(2);
            for (qsizetype i = 6; i < fields.size(); ++i) {
                if (fields[i] == u"shift") {
                    word.shift = true;
                    continue;
                }
                const qsizetype equals = fields[i].indexOf(u'=');
                const QStringView name = fields[i].first(equals);
                const QString codes = fields[i].sliced(equals + 1).toString();
                for (int r = 0; r < kReadings; ++r) {
                    if (name == kReadingNames[r]) {
                        word.forms[size_t(r)] = codes;
                    }
                }
                if (name == u"first") {
                    word.first = codes;
                }
            }
            heteronyms_.insert(fields[1].toString(), word);
        }
    }
    pairs_.assign(pairs_.size(), unseenPair);
    // The weights of the features the treebank showed, over the unseen ones set above.
    for (const QStringView line : QStringView(table).split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(u"F ")) {
            continue;
        }
        const QList<QStringView> fields = line.split(u' ');
        std::array<int, kReadings> weights{};
        for (int r = 0; r < kReadings; ++r) {
            weights[size_t(r)] = fields[2 + r].toInt();
        }
        const QStringView feature = fields[1];
        const QStringView value = feature.sliced(3);
        if (feature.startsWith(u"pn:")) {
            const qsizetype slash = value.indexOf(u'/');
            const int left = int(classes.value(value.first(slash).toString()));
            const int right = int(classes.value(value.sliced(slash + 1).toString()));
            pairs_[size_t(left * kWordClasses + right)] = weights;
        } else if (feature.startsWith(u"p1:")) {
            before_[size_t(classes.value(value.toString()))] = weights;
        } else if (feature.startsWith(u"p2:")) {
            beforeThat_[size_t(classes.value(value.toString()))] = weights;
        } else if (feature.startsWith(u"n1:")) {
            after_[size_t(classes.value(value.toString()))] = weights;
        } else if (feature == u"prior") {
            // The readings' share over all words is in each heteronym's own prior already.
        }
    }
}

WordClass ContextModel::wordClass(QStringView lowerWord) const {
    const QString key = QString::fromRawData(lowerWord.data(), lowerWord.size());
    if (const auto found = words_.constFind(key); found != words_.cend()) {
        return found.value();
    }
    const qsizetype apostrophe = lowerWord.size() > 1 ? lowerWord.indexOf(u'\'', 1) : -1;
    if (apostrophe > 0) {
        const QString ending = lowerWord.endsWith(u"n't") ? QStringLiteral("n't")
                                                          : lowerWord.sliced(apostrophe).toString();
        return words_.value(ending, WordClass::Other);
    }
    for (const auto& [ending, cls] : endings_) {
        if (lowerWord.endsWith(ending) && lowerWord.size() > ending.size() + 2) {
            return cls;
        }
    }
    return WordClass::Noun;
}

const Heteronym* ContextModel::heteronym(QStringView lowerWord) const {
    const auto found =
        heteronyms_.constFind(QString::fromRawData(lowerWord.data(), lowerWord.size()));
    return found == heteronyms_.cend() ? nullptr : &found.value();
}

std::array<int, kReadings> ContextModel::scores(const Heteronym& word,
                                                const Neighbours& around) const {
    const auto& before = before_[size_t(around.before)];
    const auto& beforeThat = beforeThat_[size_t(around.beforeThat)];
    const auto& after = after_[size_t(around.after)];
    const auto& pair = pairs_[size_t(int(around.before) * kWordClasses + int(around.after))];
    std::array<int, kReadings> result{};
    for (size_t r = 0; r < size_t(kReadings); ++r) {
        result[r] = word.prior[r] + before[r] + beforeThat[r] + after[r] + pair[r];
    }
    return result;
}

int firstFormOf(const Heteronym* word, const QStringList& forms) {
    if (word != nullptr && !word->first.isEmpty()) {
        const qsizetype named = forms.indexOf(word->first);
        if (named >= 0) {
            return int(named);
        }
    }
    return 0;
}

int formOfReading(const Heteronym& word, Reading reading, const QStringList& forms) {
    // A reading without codes of its own sounds as its neighbour does: a past as the verb, an
    // adjective as the noun.
    constexpr Reading kAlike[] = {Reading::Adjective, Reading::Noun, Reading::Past, Reading::Verb};
    const QString& codes = word.forms[size_t(reading)].isEmpty()
                               ? word.forms[size_t(kAlike[size_t(reading)])]
                               : word.forms[size_t(reading)];
    if (!codes.isEmpty()) {
        const qsizetype named = forms.indexOf(codes);
        if (named >= 0) {
            return int(named);
        }
    }
    if (word.shift || !codes.isEmpty()) {
        // By the stress: a regenerated dictionary may write a form's sounds otherwise.
        const bool wantFirst = word.shift
                                   ? (reading == Reading::Noun || reading == Reading::Adjective)
                                   : stressedFirst(codes);
        int match = -1;
        int matches = 0;
        for (qsizetype i = 0; i < forms.size(); ++i) {
            if (stressedFirst(forms[i]) == wantFirst) {
                match = match < 0 ? int(i) : match;
                ++matches;
            }
        }
        if (matches == 1 || (word.shift && match >= 0)) {
            return match;
        }
    }
    return firstFormOf(&word, forms);
}

int likeliestForm(const Heteronym& word, const std::array<int, kReadings>& scores,
                  const QStringList& forms) {
    const int best = *std::max_element(scores.begin(), scores.end());
    std::vector<double> likelihood(size_t(forms.size()), 0.0);
    for (int r = 0; r < kReadings; ++r) {
        const int form = formOfReading(word, Reading(r), forms);
        likelihood[size_t(form)] += std::exp((scores[size_t(r)] - best) / 100.0);
    }
    return int(std::max_element(likelihood.begin(), likelihood.end()) - likelihood.begin());
}

}  // namespace core
