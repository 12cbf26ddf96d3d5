// Any text as a method name and an argument: the component's dispatch by name, the lookup key and
// the method choice must never crash, and a known method must always answer.
#include <cstddef>
#include <cstdint>

#include "componentruntime.h"
#include "ipa.h"
#include "lookupclient.h"
#include "nouser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::ComponentRuntime& runtime = *[] {
        auto* made = new platform::ComponentRuntime(testing_support::buildProgramFolder());
        testing_support::addDictionaryManifest(*made);
        return made;
    }();
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf(u'\n');
    const QString method = split < 0 ? input : input.left(split);
    const QString argument = split < 0 ? QString() : input.mid(split + 1);

    const platform::DispatchObject object = runtime.create(QStringLiteral("sonabet.ipa"));
    if (object.isNull()) {
        __builtin_trap();
    }
    (void)object.call(method, argument);

    const QString key = core::LookupClient::lookupKey(argument);
    const QString chosen = core::LookupClient::methodFor(key);
    if (!chosen.isEmpty() && !object.call(chosen, key).has_value()) {
        __builtin_trap();
    }
    return 0;
}
