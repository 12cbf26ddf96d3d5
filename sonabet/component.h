// The binary interface between a component library and the program that creates its classes.
// It is COM-shaped: reference-counted interfaces with queryInterface/addRef/release, a class
// factory handed out by DllGetClassObject, and a dispatch interface that resolves a method name
// to an id and invokes it with one string argument. Strings cross as UTF-16. A result string is
// an IText object allocated by the component and freed by its own release(), so no allocation
// crosses the module boundary without its matching free. No exception crosses it either: every
// method is noexcept and answers a failure, an allocation among them, with its Result.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace component {

using Result = std::int32_t;
constexpr Result kOk = 0;
constexpr Result kFalse = 1;
constexpr Result kNoInterface = static_cast<Result>(0x80004002);
constexpr Result kPointer = static_cast<Result>(0x80004003);
constexpr Result kFail = static_cast<Result>(0x80004005);
constexpr Result kOutOfMemory = static_cast<Result>(0x8007000E);
constexpr Result kUnknownName = static_cast<Result>(0x80020006);
constexpr Result kMemberNotFound = static_cast<Result>(0x80020003);
constexpr Result kNoAggregation = static_cast<Result>(0x80040110);
constexpr Result kClassNotAvailable = static_cast<Result>(0x80040111);

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
    friend bool operator==(const Guid&, const Guid&) = default;
};

// {00000000-0000-0000-C000-000000000046}
constexpr Guid kIidUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// {00000001-0000-0000-C000-000000000046}
constexpr Guid kIidClassFactory{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// {00020400-0000-0000-C000-000000000046}
constexpr Guid kIidDispatch{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// {5D0B6E1A-3C2F-4E71-9A43-7B1E0C8F2D01}
constexpr Guid kIidText{
    0x5D0B6E1A, 0x3C2F, 0x4E71, {0x9A, 0x43, 0x7B, 0x1E, 0x0C, 0x8F, 0x2D, 0x01}};

struct IUnknown {
    virtual Result queryInterface(const Guid& iid, void** object) noexcept = 0;
    virtual std::uint32_t addRef() noexcept = 0;
    virtual std::uint32_t release() noexcept = 0;

protected:
    ~IUnknown() = default;
};

// A string owned by the component that made it; release() frees it there.
struct IText : IUnknown {
    virtual const char16_t* data() const noexcept = 0;
    virtual std::uint32_t length() const noexcept = 0;

protected:
    ~IText() = default;
};

struct IClassFactory : IUnknown {
    virtual Result createInstance(IUnknown* outer, const Guid& iid, void** object) noexcept = 0;
    virtual Result lockServer(bool lock) noexcept = 0;

protected:
    ~IClassFactory() = default;
};

// Late binding: a method is found by name, then called with one string argument.
// A null argument pointer counts as the empty string.
struct IDispatch : IUnknown {
    virtual Result idOfName(const char16_t* name, std::uint32_t length,
                            std::int32_t* id) noexcept = 0;
    virtual Result invoke(std::int32_t id, const char16_t* argument, std::uint32_t length,
                          IText** result) noexcept = 0;

protected:
    ~IDispatch() = default;
};

// Hands out object as the interface Interface when iid names one of ids: what queryInterface
// answers for every object of a component.
template <class Interface>
Result handOut(Interface* object, const Guid& iid, std::initializer_list<Guid> ids,
               void** result) noexcept {
    if (!result) {
        return kPointer;
    }
    for (const Guid& id : ids) {
        if (iid == id) {
            *result = object;
            object->addRef();
            return kOk;
        }
    }
    *result = nullptr;
    return kNoInterface;
}

// A class factory that lives as long as its library: counting its references would only hide
// that.
struct StaticClassFactory : IClassFactory {
    Result queryInterface(const Guid& iid, void** object) noexcept override {
        return handOut<IClassFactory>(this, iid, {kIidUnknown, kIidClassFactory}, object);
    }
    std::uint32_t addRef() noexcept override { return 2; }
    std::uint32_t release() noexcept override { return 1; }

protected:
    ~StaticClassFactory() = default;
};

}  // namespace component

// The four entry points of an in-process component server.
extern "C" {
using DllRegisterServerFn = component::Result (*)();
using DllUnregisterServerFn = component::Result (*)();
using DllGetClassObjectFn = component::Result (*)(const component::Guid* clsid,
                                                  const component::Guid* iid, void** object);
using DllCanUnloadNowFn = component::Result (*)();
}
