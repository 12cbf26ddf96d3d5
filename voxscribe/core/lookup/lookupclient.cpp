#include "lookupclient.h"

namespace core {
namespace {

struct MethodRow {
    QStringView initials;
    QStringView method;
};

// Tested in this order; the initial must equal one of the lower-case ASCII letters exactly.
constexpr MethodRow kMethods[] = {
#define SONABET_GROUP(method, initials, table) {u"" initials, u"" #method},
#include "tables/groups.inc"
#undef SONABET_GROUP
};

}  // namespace

LookupClient::LookupClient(platform::Services& services) : services_(services) {}

QString LookupClient::lookupKey(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QChar(u' ')) {
        ++begin;
    }
    while (end > begin && text[end - 1] == QChar(u' ')) {
        --end;
    }
    return text.mid(begin, end - begin).toLower();
}

QStringView LookupClient::methodViewFor(const QString& key) {
    if (key.isEmpty()) {
        return {};
    }
    const QChar initial = key.front().toLower();
    for (const MethodRow& row : kMethods) {
        if (row.initials.contains(initial)) {
            return row.method;
        }
    }
    return {};
}

Lookup LookupClient::lookup(const QString& text) {
    return ask(text, Wanted::British).british;
}

Lookup LookupClient::lookupAmerican(const QString& text) {
    BothLookup both = ask(text, Wanted::American);
    // Only British transcriptions carry the mark of doubt.
    both.british.transcription = std::move(both.american);
    both.british.uncertain = false;
    return std::move(both.british);
}

LookupClient::BothLookup LookupClient::lookupBoth(const QString& text) {
    return ask(text, Wanted::Both);
}

LookupClient::BothLookup LookupClient::ask(const QString& text, Wanted wanted) {
    BothLookup both;
    Lookup& result = both.british;
    result.key = lookupKey(text);
    // A fresh object for every lookup, made before the initial is looked at.
    QString error;
    const platform::DispatchObject object = services_.components.create(progId(), &error);
    if (object.isNull()) {
        result.unavailable = true;
        tellUnavailable(error);
        return both;
    }
    // A key no British method answers has no entry in either accent.
    if (methodViewFor(result.key).isEmpty()) {
        toldUnavailable_ = false;
        return both;
    }
    // The American transcription alone takes one call of its own method.
    auto answer = wanted == Wanted::American
                      ? std::nullopt
                      : object.call(QStringView(sonabet::kEntryMethod), result.key);
    if (!answer) {
        askByMethods(object, wanted, both);
        return both;
    }
    toldUnavailable_ = false;
    // British, mark and American, joined by tabs; nothing for a word that is no key.
    const qsizetype mark = answer->indexOf(sonabet::kEntrySeparator);
    const qsizetype american = answer->indexOf(sonabet::kEntrySeparator, mark + 1);
    // The mark and the American transcription belong to a word found.
    if (mark <= 0 || american < 0) {
        return both;
    }
    result.uncertain = QStringView(*answer).sliced(mark + 1, american - mark - 1) == u"?";
    if (wanted == Wanted::Both) {
        both.american = QStringView(*answer).sliced(american + 1).toString();
    }
    // The answer itself becomes the British transcription, without a copy.
    answer->truncate(mark);
    result.transcription = std::move(*answer);
    return both;
}

void LookupClient::askByMethods(const platform::DispatchObject& object, Wanted wanted,
                                BothLookup& both) {
    Lookup& result = both.british;
    const QStringView method = wanted == Wanted::American ? QStringView(sonabet::kAmericanMethod)
                                                          : methodViewFor(result.key);
    const auto answer = object.call(method, result.key);
    if (!answer) {
        result.unavailable = true;
        tellUnavailable(method.toString() + QStringLiteral(": call failed"));
        return;
    }
    toldUnavailable_ = false;
    if (wanted == Wanted::American) {
        both.american = *answer;
        return;
    }
    result.transcription = *answer;
    if (result.transcription.isEmpty()) {
        return;
    }
    // A dictionary without the method of the mark marks nothing.
    const auto mark = object.call(QStringLiteral("Uncertain"), result.key);
    result.uncertain = mark && *mark == QStringLiteral("?");
    if (wanted == Wanted::Both) {
        both.american =
            object.call(QStringView(sonabet::kAmericanMethod), result.key).value_or(QString());
    }
}

void LookupClient::tellUnavailable(const QString& reason) {
    if (toldUnavailable_) {
        return;
    }
    toldUnavailable_ = true;
    const QStringList places = services_.components.searchPlaces(progId());
    services_.messages.show(
        nullptr,
        QStringLiteral("无法加载音标词典库 sonabet，单词将按“没找到音标”处理。\r\n"
                       "查找位置:\r\n%1\r\n原因: %2")
            .arg(places.join(QStringLiteral("\r\n")), reason),
        platform::Icon::Critical, platform::Buttons::Ok, platform::Answer::Ok);
}

}  // namespace core
