// Any text as a method name and an argument: the component's dispatch by name and the program's
// own lookups of the argument must never crash, and the method a lookup chooses must always
// answer.
#include "fuzzsupport.h"
#include "lookupclient.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::Dictionary& dictionary = *new fuzzing::Dictionary;
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf(u'\n');
    const QString method = split < 0 ? input : input.left(split);
    const QString argument = split < 0 ? QString() : input.mid(split + 1);

    const platform::DispatchObject object =
        dictionary.env.runtime.create(core::LookupClient::progId());
    FUZZ_CHECK(!object.isNull(), method);
    (void)object.call(method, argument);

    // A failed call would come back as a lookup of an unreachable dictionary.
    FUZZ_CHECK(!dictionary.client.lookup(argument).unavailable, argument);
    FUZZ_CHECK(!dictionary.client.lookupAmerican(argument).unavailable, argument);
    FUZZ_CHECK(dictionary.env.user.messages == 0, argument);
    return 0;
}
