// Where component registration records live. Linux has no component registry, so a record is a
// small text file named after the class identifier ("sonabet.ipa.component"):
//     clsid={...}
//     library=/absolute/path/to/libsonabet.so
//     typelib=sonabet
// The per-user folder is read first, then the system-wide one.
#pragma once

#include <cstdlib>
#include <string>

namespace component {

inline constexpr const char* kRecordSuffix = ".component";

// $COMPONENT_REGISTRY_DIR, else $XDG_DATA_HOME/components, else ~/.local/share/components.
inline std::string userRegistryDir() {
    if (const char* dir = std::getenv("COMPONENT_REGISTRY_DIR"); dir && *dir) {
        return dir;
    }
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        return std::string(data) + "/components";
    }
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/share/components";
}

// $COMPONENT_SYSTEM_REGISTRY_DIR, else /usr/share/components.
inline std::string systemRegistryDir() {
    if (const char* dir = std::getenv("COMPONENT_SYSTEM_REGISTRY_DIR"); dir && *dir) {
        return dir;
    }
    return "/usr/share/components";
}

inline std::string recordFileName(const std::string& progId) {
    return progId + kRecordSuffix;
}

}  // namespace component
