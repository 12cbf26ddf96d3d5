#include "componentruntime.h"

#include <dlfcn.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "component_registry.h"

namespace platform {

DispatchObject& DispatchObject::operator=(DispatchObject&& other) noexcept {
    if (this != &other) {
        if (object_) {
            object_->release();
        }
        object_ = other.object_;
        other.object_ = nullptr;
    }
    return *this;
}

DispatchObject::~DispatchObject() {
    if (object_) {
        object_->release();
    }
}

std::optional<QString> DispatchObject::call(const QString& method, const QString& argument) const {
    if (!object_) {
        return std::nullopt;
    }
    std::int32_t id = -1;
    if (object_->idOfName(reinterpret_cast<const char16_t*>(method.utf16()),
                          static_cast<std::uint32_t>(method.size()), &id) != component::kOk) {
        return std::nullopt;
    }
    component::IText* text = nullptr;
    const component::Result result =
        object_->invoke(id, reinterpret_cast<const char16_t*>(argument.utf16()),
                        static_cast<std::uint32_t>(argument.size()), &text);
    if (result != component::kOk || !text) {
        if (text) {
            text->release();
        }
        return std::nullopt;
    }
    QString value = QString::fromUtf16(text->data(), text->length());
    text->release();
    return value;
}

std::optional<component::Guid> parseGuid(const QString& text) {
    QString hex = text.trimmed();
    if (hex.startsWith('{') && hex.endsWith('}')) {
        hex = hex.mid(1, hex.size() - 2);
    }
    const QStringList parts = hex.split('-');
    if (parts.size() != 5 || parts[0].size() != 8 || parts[1].size() != 4 || parts[2].size() != 4 ||
        parts[3].size() != 4 || parts[4].size() != 12) {
        return std::nullopt;
    }
    bool ok = true;
    component::Guid guid{};
    guid.data1 = parts[0].toUInt(&ok, 16);
    bool ok2 = true, ok3 = true;
    guid.data2 = static_cast<std::uint16_t>(parts[1].toUShort(&ok2, 16));
    guid.data3 = static_cast<std::uint16_t>(parts[2].toUShort(&ok3, 16));
    if (!ok || !ok2 || !ok3) {
        return std::nullopt;
    }
    const QString tail = parts[3] + parts[4];
    for (int i = 0; i < 8; ++i) {
        bool byteOk = true;
        guid.data4[i] = static_cast<std::uint8_t>(tail.mid(i * 2, 2).toUShort(&byteOk, 16));
        if (!byteOk) {
            return std::nullopt;
        }
    }
    return guid;
}

ComponentRuntime::ComponentRuntime(QString programFolder)
    : programFolder_(std::move(programFolder)) {}

void ComponentRuntime::addManifest(const QString& progId, const component::Guid& clsid,
                                   const QString& libraryFileName) {
    manifests_[progId] = Manifest{clsid, libraryFileName};
}

QStringList ComponentRuntime::searchPlaces(const QString& progId) const {
    const QString record = QString::fromStdString(component::recordFileName(progId.toStdString()));
    QStringList places{QDir::toNativeSeparators(
                           QString::fromStdString(component::userRegistryDir()) + '/' + record),
                       QDir::toNativeSeparators(
                           QString::fromStdString(component::systemRegistryDir()) + '/' + record)};
    if (const auto manifest = manifests_.find(progId); manifest != manifests_.end()) {
        places << QDir::toNativeSeparators(programFolder_ + '/' + manifest->second.library);
    }
    return places;
}

std::optional<ComponentRuntime::Candidate> ComponentRuntime::fromRecord(
    const QString& recordPath) const {
    QFile file(recordPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return std::nullopt;
    }
    Candidate candidate{};
    bool haveClsid = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) {
            continue;
        }
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (key == QLatin1String("clsid")) {
            if (const auto guid = parseGuid(value)) {
                candidate.clsid = *guid;
                haveClsid = true;
            }
        } else if (key == QLatin1String("library")) {
            candidate.library = value;
        }
    }
    if (!haveClsid || candidate.library.isEmpty()) {
        return std::nullopt;
    }
    return candidate;
}

DllGetClassObjectFn ComponentRuntime::load(const QString& library, QString* error) {
    if (const auto found = loaded_.find(library); found != loaded_.end()) {
        return found->second;
    }
    // The handle is deliberately never closed: a loaded component stays for the program's life.
    void* handle = dlopen(QFile::encodeName(library).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error) {
            *error = QString::fromLocal8Bit(dlerror());
        }
        return nullptr;
    }
    auto entry = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    if (!entry) {
        if (error) {
            *error = QStringLiteral("%1: no DllGetClassObject").arg(library);
        }
        return nullptr;
    }
    loaded_[library] = entry;
    return entry;
}

DispatchObject ComponentRuntime::create(const QString& progId, QString* error) {
    std::vector<Candidate> candidates;
    const QStringList places = searchPlaces(progId);
    for (int i = 0; i < 2; ++i) {
        if (auto candidate = fromRecord(places[i])) {
            candidates.push_back(*candidate);
        }
    }
    if (const auto manifest = manifests_.find(progId); manifest != manifests_.end()) {
        candidates.push_back(
            {programFolder_ + '/' + manifest->second.library, manifest->second.clsid});
    }
    QString reasons;
    for (const Candidate& candidate : candidates) {
        QString loadError;
        const DllGetClassObjectFn getClassObject = load(candidate.library, &loadError);
        if (!getClassObject) {
            reasons += loadError + '\n';
            continue;
        }
        component::IClassFactory* factory = nullptr;
        if (getClassObject(&candidate.clsid, &component::kIidClassFactory,
                           reinterpret_cast<void**>(&factory)) != component::kOk ||
            !factory) {
            reasons += QStringLiteral("%1: class not available\n").arg(candidate.library);
            continue;
        }
        component::IDispatch* object = nullptr;
        const component::Result made = factory->createInstance(nullptr, component::kIidDispatch,
                                                               reinterpret_cast<void**>(&object));
        factory->release();
        if (made == component::kOk && object) {
            return DispatchObject(object);
        }
        reasons += QStringLiteral("%1: object not created\n").arg(candidate.library);
    }
    if (error) {
        *error = reasons.isEmpty() ? QStringLiteral("%1: not registered").arg(progId)
                                   : reasons.trimmed();
    }
    return {};
}

}  // namespace platform
