// A dictionary library as it was before the method "Entry": the build's own library, loaded and
// wrapped, with that one name refused. The lookup client must find every word through it as it
// does through the library of today.
#include <dlfcn.h>

#include <atomic>
#include <new>
#include <string_view>

#include "component.h"
#include "ipa.h"

namespace {

using component::Guid;
using component::Result;

class OldIpa final : public component::IDispatch {
public:
    explicit OldIpa(component::IDispatch* inner) : inner_(inner) {}

    Result queryInterface(const Guid& iid, void** object) noexcept override {
        return component::handOut<component::IDispatch>(
            this, iid, {component::kIidUnknown, component::kIidDispatch}, object);
    }
    std::uint32_t addRef() noexcept override { return ++references_; }
    std::uint32_t release() noexcept override {
        const std::uint32_t left = --references_;
        if (left == 0) {
            inner_->release();
            delete this;
        }
        return left;
    }
    Result idOfName(const char16_t* name, std::uint32_t length,
                    std::int32_t* id) noexcept override {
        if (name && std::u16string_view(name, length) == sonabet::kEntryMethod) {
            *id = -1;
            return component::kUnknownName;
        }
        return inner_->idOfName(name, length, id);
    }
    Result invoke(std::int32_t id, const char16_t* argument, std::uint32_t length,
                  component::IText** result) noexcept override {
        return inner_->invoke(id, argument, length, result);
    }

private:
    ~OldIpa() = default;

    component::IDispatch* inner_;
    std::atomic<std::uint32_t> references_{1};
};

class OldFactory final : public component::StaticClassFactory {
public:
    explicit OldFactory(component::IClassFactory* inner) : inner_(inner) {}
    Result createInstance(component::IUnknown* outer, const Guid& iid,
                          void** object) noexcept override {
        component::IDispatch* inner = nullptr;
        const Result made = inner_->createInstance(outer, component::kIidDispatch,
                                                   reinterpret_cast<void**>(&inner));
        if (made != component::kOk) {
            return made;
        }
        auto* old = new (std::nothrow) OldIpa(inner);
        if (!old) {
            inner->release();
            return component::kOutOfMemory;
        }
        const Result result = old->queryInterface(iid, object);
        old->release();
        return result;
    }
    Result lockServer(bool lock) noexcept override { return inner_->lockServer(lock); }

private:
    component::IClassFactory* inner_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) component::Result DllGetClassObject(
    const component::Guid* clsid, const component::Guid* iid, void** object) {
    static void* library = dlopen(SONABET_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    const auto getClass =
        library ? reinterpret_cast<DllGetClassObjectFn>(dlsym(library, "DllGetClassObject"))
                : nullptr;
    component::IClassFactory* inner = nullptr;
    if (!getClass || getClass(clsid, &component::kIidClassFactory,
                              reinterpret_cast<void**>(&inner)) != component::kOk) {
        return component::kClassNotAvailable;
    }
    static OldFactory factory(inner);
    return factory.queryInterface(*iid, object);
}

extern "C" __attribute__((visibility("default"))) component::Result DllCanUnloadNow() {
    return component::kFalse;
}
