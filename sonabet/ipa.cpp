// The class ipa and the in-process component server that hands it out.
#include "ipa.h"

#include <dlfcn.h>

#include <sys/stat.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "component_registry.h"
#include "wordtables.h"

#define SONABET_EXPORT extern "C" __attribute__((visibility("default")))

namespace sonabet {
namespace {

using component::Guid;
using component::Result;

// Live objects and server locks: DllCanUnloadNow answers from these two.
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

// Runs body and turns whatever it throws into a Result: nothing may unwind into the program.
template <class Body>
Result guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return component::kOutOfMemory;
    } catch (...) {
        return component::kFail;
    }
}

// The methods in their order; a method answers the group of its place.
constexpr std::u16string_view kMethods[] = {
#define SONABET_GROUP(method, initials, table) u"" #method,
#include "tables/groups.inc"
#undef SONABET_GROUP
};

// The method beside the 22: whether a key's reading is uncertain ("?") or not ("").
constexpr std::u16string_view kUncertainMethod = u"Uncertain";
constexpr std::int32_t kAmericanId = static_cast<std::int32_t>(kGroupCount) + 1;
constexpr std::int32_t kUncertainId = static_cast<std::int32_t>(kGroupCount) + 2;
constexpr std::int32_t kEntryId = static_cast<std::int32_t>(kGroupCount) + 3;

constexpr std::size_t groupOf(std::u16string_view method) {
    std::size_t group = 0;
    while (kMethods[group] != method) {
        ++group;
    }
    return group;
}

// Reference counting of an object the program receives: it starts with the one reference of its
// maker, and goes with the last one. Each counted object is a live object of the library.
template <class Interface>
class Counted : public Interface {
public:
    Counted() { ++liveObjects; }
    std::uint32_t addRef() noexcept override { return ++references_; }
    std::uint32_t release() noexcept override {
        const std::uint32_t left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~Counted() { --liveObjects; }

private:
    std::atomic<std::uint32_t> references_{1};
};

class Text final : public Counted<component::IText> {
public:
    explicit Text(std::u16string value) : value_(std::move(value)) {}

    Result queryInterface(const Guid& iid, void** object) noexcept override {
        return component::handOut<component::IText>(
            this, iid, {component::kIidUnknown, component::kIidText}, object);
    }
    const char16_t* data() const noexcept override { return value_.c_str(); }
    std::uint32_t length() const noexcept override {
        return static_cast<std::uint32_t>(value_.size());
    }

private:
    std::u16string value_;
};

// The value, made by make, may fail to allocate as well as the object itself.
template <class Make>
Result newTextOf(Make&& make, component::IText** result) noexcept {
    if (!result) {
        return component::kPointer;
    }
    *result = nullptr;
    return guarded([&] {
        *result = new (std::nothrow) Text(make());
        return *result ? component::kOk : component::kOutOfMemory;
    });
}

Result newText(std::u16string_view value, component::IText** result) noexcept {
    return newTextOf([value] { return std::u16string(value); }, result);
}

std::u16string_view argument(const char16_t* word, std::uint32_t length) {
    return word ? std::u16string_view(word, length) : std::u16string_view{};
}

class Ipa final : public Counted<_ipa> {
public:
    Result queryInterface(const Guid& iid, void** object) noexcept override {
        return component::handOut<_ipa>(
            this, iid, {component::kIidUnknown, component::kIidDispatch, kIidIpa}, object);
    }

    // Method ids are the method's place in the table, 1 to 22; the three methods beside them,
    // kEntryMethod, kAmericanMethod and kUncertainMethod, are reached by name only.
    Result idOfName(const char16_t* name, std::uint32_t length,
                    std::int32_t* id) noexcept override {
        if (!id) {
            return component::kPointer;
        }
        const std::u16string_view wanted = argument(name, length);
        // The program asks this one for every word it looks up.
        if (wanted == kEntryMethod) {
            *id = kEntryId;
            return component::kOk;
        }
        if (wanted == kAmericanMethod) {
            *id = kAmericanId;
            return component::kOk;
        }
        const auto groups = wordGroups();
        for (std::size_t g = 0; g < groups.size(); ++g) {
            if (groups[g].method == wanted) {
                *id = static_cast<std::int32_t>(g + 1);
                return component::kOk;
            }
        }
        if (wanted == kUncertainMethod) {
            *id = kUncertainId;
            return component::kOk;
        }
        *id = -1;
        return component::kUnknownName;
    }

    Result invoke(std::int32_t id, const char16_t* word, std::uint32_t length,
                  component::IText** result) noexcept override {
        if (id == kAmericanId) {
            if (result) {
                *result = nullptr;
            }
            return guarded([&] { return newText(lookUpAmerican(argument(word, length)), result); });
        }
        if (id == kUncertainId) {
            return uncertain(word, length, result);
        }
        if (id == kEntryId) {
            return entry(word, length, result);
        }
        if (id < 1 || id > static_cast<std::int32_t>(kGroupCount)) {
            if (result) {
                *result = nullptr;
            }
            return component::kMemberNotFound;
        }
        return answer(static_cast<std::size_t>(id - 1), word, length, result);
    }

#define SONABET_GROUP(method, initials, table)                     \
    Result method(const char16_t* word, std::uint32_t length,      \
                  component::IText** result) noexcept override {   \
        return answer(groupOf(u"" #method), word, length, result); \
    }
#include "tables/groups.inc"
#undef SONABET_GROUP

private:
    // "?" for a key whose reading only rules made and nothing independent checked, else the
    // empty string; the group is the word's initial's, without regard to case.
    static Result uncertain(const char16_t* word, std::uint32_t length,
                            component::IText** result) noexcept {
        if (result) {
            *result = nullptr;
        }
        return guarded([&] {
            const std::u16string_view key = argument(word, length);
            return newText(isUncertain(groupOfWord(key), key) ? u"?" : u"", result);
        });
    }

    // The British transcription, the mark of doubt and the American transcription, joined by
    // tabs; the empty string for a word that is no key of the dictionary.
    static Result entry(const char16_t* word, std::uint32_t length,
                        component::IText** result) noexcept {
        const std::optional<Found> found = lookUpEntry(argument(word, length));
        return newTextOf(
            [&found] {
                std::u16string joined;
                if (!found) {
                    return joined;
                }
                joined.reserve(found->british.size() + found->american.size() + 3);
                joined.append(found->british).push_back(kEntrySeparator);
                if (found->uncertain) {
                    joined.push_back(u'?');
                }
                joined.push_back(kEntrySeparator);
                joined.append(found->american);
                return joined;
            },
            result);
    }

    // The first lookup builds the shared index, which may fail to allocate.
    static Result answer(std::size_t group, const char16_t* word, std::uint32_t length,
                         component::IText** result) noexcept {
        if (result) {
            *result = nullptr;
        }
        return guarded([&] { return newText(lookUp(group, argument(word, length)), result); });
    }
};

class IpaFactory final : public component::StaticClassFactory {
public:
    Result createInstance(component::IUnknown* outer, const Guid& iid,
                          void** object) noexcept override {
        if (!object) {
            return component::kPointer;
        }
        *object = nullptr;
        if (outer) {
            return component::kNoAggregation;
        }
        Ipa* ipa = new (std::nothrow) Ipa;
        if (!ipa) {
            return component::kOutOfMemory;
        }
        const Result result = ipa->queryInterface(iid, object);
        ipa->release();
        return result;
    }
    // An unlock without a lock is refused: the count never goes below zero, where it would
    // hide a later lock from DllCanUnloadNow.
    Result lockServer(bool lock) noexcept override {
        if (lock) {
            ++serverLocks;
            return component::kOk;
        }
        long locks = serverLocks.load();
        do {
            if (locks <= 0) {
                return component::kFail;
            }
        } while (!serverLocks.compare_exchange_weak(locks, locks - 1));
        return component::kOk;
    }
};

IpaFactory factory;

std::string guidText(const Guid& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1,
                  g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4],
                  g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

std::string ownLibraryPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&guidText), &info) == 0 || !info.dli_fname) {
        return {};
    }
    std::error_code error;
    const auto path = std::filesystem::absolute(info.dli_fname, error);
    return error ? std::string(info.dli_fname) : path.string();
}

std::filesystem::path recordPath() {
    return std::filesystem::path(component::userRegistryDir()) / component::recordFileName(kProgId);
}

Result registerServer() {
    const std::string library = ownLibraryPath();
    if (library.empty()) {
        return component::kFail;
    }
    const auto record = recordPath();
    std::error_code error;
    std::filesystem::create_directories(record.parent_path(), error);
    if (error) {
        return component::kFail;
    }
    // Written beside the record and renamed over it, so a failed write leaves the old record.
    const auto temporary = record.string() + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << "clsid=" << guidText(kClsidIpa) << "\n"
            << "library=" << library << "\n"
            << "typelib=" << kTypeLibrary << "\n";
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return component::kFail;
        }
    }
    std::filesystem::rename(temporary, record, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return component::kFail;
    }
    return component::kOk;
}

Result unregisterServer() {
    std::error_code error;
    std::filesystem::remove(recordPath(), error);
    return error ? component::kFail : component::kOk;
}

}  // namespace
}  // namespace sonabet

SONABET_EXPORT component::Result DllGetClassObject(const component::Guid* clsid,
                                                   const component::Guid* iid, void** object) {
    if (!clsid || !iid || !object) {
        return component::kPointer;
    }
    *object = nullptr;
    if (!(*clsid == sonabet::kClsidIpa)) {
        return component::kClassNotAvailable;
    }
    return sonabet::factory.queryInterface(*iid, object);
}

SONABET_EXPORT component::Result DllCanUnloadNow() {
    return sonabet::liveObjects == 0 && sonabet::serverLocks == 0 ? component::kOk
                                                                  : component::kFalse;
}

// Both write or remove a file, where a path or a stream may throw.
SONABET_EXPORT component::Result DllRegisterServer() {
    return sonabet::guarded(sonabet::registerServer);
}

SONABET_EXPORT component::Result DllUnregisterServer() {
    return sonabet::guarded(sonabet::unregisterServer);
}
