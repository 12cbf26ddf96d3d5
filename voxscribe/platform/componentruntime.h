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
    std::optional<QString> call(QStringView method, QStringView argument) const;

private:
    component::IDispatch* object_ = nullptr;
};

// Finds a class by its registration record (per-user, then system-wide), else by a manifest
// entry naming a library in the program folder. Records are read only from folders that nobody
// but the user (or root) may write. A class, once found, is kept with its class factory for the
// runtime's life, so a changed registration takes effect at the program's next start; a class
// not found is looked for again at the next create(). A library, once loaded, stays loaded.
class ComponentRuntime {
public:
    explicit ComponentRuntime(QString programFolder);
    ~ComponentRuntime();
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
    // The registration records that may name the class: per-user first, then system-wide.
    static QStringList recordPaths(const QString& progId);
    // The record's class and library; nothing when there is no usable record, with *reason set
    // when a record is there but was refused.
    std::optional<Candidate> fromRecord(const QString& recordPath, QString* reason) const;
    // The class factory of progId, found through the records and the manifest; null with *error
    // saying why.
    component::IClassFactory* resolve(const QString& progId, QString* error);

    QString programFolder_;
    std::map<QString, Manifest> manifests_;
    std::map<QString, DllGetClassObjectFn> loaded_;
    std::map<QString, component::IClassFactory*> factories_;  // one reference each, held
};

std::optional<component::Guid> parseGuid(const QString& text);

}  // namespace platform
