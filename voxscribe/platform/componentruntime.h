// Creates component objects by class identifier and calls their methods by name.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <string>

#include "component.h"

namespace platform {

// One dispatch object; released when this handle goes.
class DispatchObject {
public:
    DispatchObject() = default;
    explicit DispatchObject(component::IDispatch* object) : object_(object) {}
    DispatchObject(DispatchObject&& other) noexcept : object_(other.object_) {
        other.object_ = nullptr;
    }
    DispatchObject& operator=(DispatchObject&& other) noexcept;
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;
    ~DispatchObject();

    bool isNull() const { return object_ == nullptr; }

    // Calls the method with one string argument; no value when the name is unknown or the call
    // fails.
    std::optional<QString> call(const QString& method, const QString& argument) const;

private:
    component::IDispatch* object_ = nullptr;
};

// Finds a class by its registration record (per-user, then system-wide), else by a manifest
// entry naming a library in the program folder. A library, once loaded, stays loaded.
class ComponentRuntime {
public:
    explicit ComponentRuntime(QString programFolder);
    ComponentRuntime(const ComponentRuntime&) = delete;
    ComponentRuntime& operator=(const ComponentRuntime&) = delete;

    // Registration-free activation: the class may be found in the program folder under this name.
    void addManifest(const QString& progId, const component::Guid& clsid,
                     const QString& libraryFileName);

    // A new object, or a null one with *error saying why and where the library was looked for.
    DispatchObject create(const QString& progId, QString* error = nullptr);

    // The places create() looks for the class, in order.
    QStringList searchPlaces(const QString& progId) const;

private:
    struct Manifest {
        component::Guid clsid;
        QString library;
    };
    struct Candidate {
        QString library;
        component::Guid clsid;
    };
    DllGetClassObjectFn load(const QString& library, QString* error);
    std::optional<Candidate> fromRecord(const QString& recordPath) const;

    QString programFolder_;
    std::map<QString, Manifest> manifests_;
    std::map<QString, DllGetClassObjectFn> loaded_;
};

std::optional<component::Guid> parseGuid(const QString& text);

}  // namespace platform
