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
    return ask(text, &LookupClient::methodViewFor);
}

Lookup LookupClient::lookupAmerican(const QString& text) {
    // One method answers every initial, but a key no British method answers has no entry.
    return ask(text, [](const QString& key) {
        return methodViewFor(key).isEmpty() ? QStringView() : QStringView(sonabet::kAmericanMethod);
    });
}

LookupClient::BothLookup LookupClient::lookupBoth(const QString& text) {
    BothLookup both;
    both.british = ask(text, &LookupClient::methodViewFor, &both.american);
    return both;
}

Lookup LookupClient::ask(const QString& text, QStringView (*methodOf)(const QString& key),
                         QString* american) {
    Lookup result{lookupKey(text), {}};
    // A fresh object for every lookup, made before the initial is looked at.
    QString error;
    const platform::DispatchObject object = services_.components.create(progId(), &error);
    if (object.isNull()) {
        result.unavailable = true;
        tellUnavailable(error);
        return result;
    }
    const QStringView method = methodOf(result.key);
    if (method.isEmpty()) {
        toldUnavailable_ = false;
        return result;
    }
    if (const auto answer = object.call(method, result.key)) {
        result.transcription = *answer;
        toldUnavailable_ = false;
        // The one method beside the groups' that marks British transcriptions; a dictionary
        // without it marks nothing.
        const bool british = method != QStringView(sonabet::kAmericanMethod);
        if (british && !result.transcription.isEmpty()) {
            const auto mark = object.call(QStringLiteral("Uncertain"), result.key);
            result.uncertain = mark && *mark == QStringLiteral("?");
        }
        if (american != nullptr && !result.transcription.isEmpty()) {
            *american =
                object.call(QStringView(sonabet::kAmericanMethod), result.key).value_or(QString());
        }
    } else {
        result.unavailable = true;
        tellUnavailable(method.toString() + QStringLiteral(": call failed"));
    }
    return result;
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
