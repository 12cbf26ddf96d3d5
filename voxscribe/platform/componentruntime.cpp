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

std::optional<QString> DispatchObject::call(QStringView method, QStringView argument) const {
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

ComponentRuntime::~ComponentRuntime() {
    for (auto& [progId, factory] : factories_) {
        factory->release();
    }
}

void ComponentRuntime::addManifest(const QString& progId, const component::Guid& clsid,
                                   const QString& libraryFileName) {
    manifests_[progId] = Manifest{clsid, libraryFileName};
}

QStringList ComponentRuntime::recordPaths(const QString& progId) {
    const QString record = QString::fromStdString(component::recordFileName(progId.toStdString()));
    QStringList paths;
    for (const std::string& folder :
         {component::userRegistryDir(), component::systemRegistryDir()}) {
        if (!folder.empty()) {
            paths << QString::fromStdString(folder) + '/' + record;
        }
    }
    return paths;
}

QStringList ComponentRuntime::searchPlaces(const QString& progId) const {
    QStringList places = recordPaths(progId);
    if (const auto manifest = manifests_.find(progId); manifest != manifests_.end()) {
        places << programFolder_ + '/' + manifest->second.library;
    }
    for (QString& place : places) {
        place = QDir::toNativeSeparators(place);
    }
    return places;
}

std::optional<ComponentRuntime::Candidate> ComponentRuntime::fromRecord(const QString& recordPath,
                                                                        QString* reason) const {
    if (!QFileInfo::exists(recordPath)) {
        return std::nullopt;
    }
    // A record names a library this process loads: one that somebody else could have put there
    // would run their code as this user.
    std::string why;
    if (!component::onlyOwnerMayWrite(QFile::encodeName(recordPath).toStdString(), &why)) {
        *reason +=
            QStringLiteral("%1: not read, %2\n").arg(recordPath, QString::fromStdString(why));
        return std::nullopt;
    }
    QFile file(recordPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *reason += QStringLiteral("%1: cannot be read\n").arg(recordPath);
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
        *reason += QStringLiteral("%1: no class or library named\n").arg(recordPath);
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

component::IClassFactory* ComponentRuntime::resolve(const QString& progId, QString* error) {
    QString reasons;
    std::vector<Candidate> candidates;
    for (const QString& record : recordPaths(progId)) {
        if (auto candidate = fromRecord(record, &reasons)) {
            candidates.push_back(*candidate);
        }
    }
    if (const auto manifest = manifests_.find(progId); manifest != manifests_.end()) {
        candidates.push_back(
            {programFolder_ + '/' + manifest->second.library, manifest->second.clsid});
    }
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
        return factory;
    }
    *error =
        reasons.isEmpty() ? QStringLiteral("%1: not registered").arg(progId) : reasons.trimmed();
    return nullptr;
}

DispatchObject ComponentRuntime::create(const QString& progId, QString* error) {
    auto known = factories_.find(progId);
    if (known == factories_.end()) {
        QString why;
        component::IClassFactory* factory = resolve(progId, &why);
        if (!factory) {
            if (error) {
                *error = why;
            }
            return {};
        }
        known = factories_.emplace(progId, factory).first;
    }
    component::IDispatch* object = nullptr;
    const component::Result made = known->second->createInstance(nullptr, component::kIidDispatch,
                                                                 reinterpret_cast<void**>(&object));
    if (made == component::kOk && object) {
        return DispatchObject(object);
    }
    if (error) {
        *error = QStringLiteral("%1: object not created").arg(progId);
    }
    return {};
}

}  // namespace platform
