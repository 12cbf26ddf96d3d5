// Where component registration records live. Linux has no component registry, so a record is a
// small text file named after the class identifier ("sonabet.ipa.component"):
//     clsid={...}
//     library=/absolute/path/to/libsonabet.so
//     typelib=sonabet
// The per-user folder is read first, then the system-wide one. A record names a library that the
// reader loads into itself, so records are only taken from folders that nobody else may write.
#pragma once

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace component {

inline constexpr const char* kRecordSuffix = ".component";

// The user's home folder: $HOME, else the password database's entry; empty when neither knows.
// A fixed fallback such as /tmp would be a folder that everybody may write.
inline std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir) {
        return entry->pw_dir;
    }
    return {};
}

// $COMPONENT_REGISTRY_DIR, else $XDG_DATA_HOME/components, else ~/.local/share/components;
// empty when no home folder is known (then there is no per-user registry).
inline std::string userRegistryDir() {
    if (const char* dir = std::getenv("COMPONENT_REGISTRY_DIR"); dir && *dir) {
        return dir;
    }
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        return std::string(data) + "/components";
    }
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/.local/share/components";
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

// Whether only this user (or root) can change what a path names: it and every folder above it
// belong to this user or to root, and no group or other user may write them. A folder above that
// belongs to root and carries the sticky bit (/tmp) passes, since nobody else may rename or
// remove what it holds. On refusal *why says which path failed and how.
inline bool onlyOwnerMayWrite(const std::string& path, std::string* why = nullptr) {
    if (path.empty() || path.front() != '/') {
        if (why) {
            *why = "'" + path + "' is not an absolute path";
        }
        return false;
    }
    const uid_t self = geteuid();
    std::string current = path;
    bool first = true;
    while (true) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0) {
            if (why) {
                *why = "'" + current + "' cannot be examined";
            }
            return false;
        }
        // A symbolic link is followed by the reader: judge what it points to as well.
        if (S_ISLNK(info.st_mode)) {
            char* resolved = realpath(current.c_str(), nullptr);
            if (!resolved) {
                if (why) {
                    *why = "'" + current + "' is a dangling link";
                }
                return false;
            }
            const std::string target = resolved;
            std::free(resolved);
            if (!onlyOwnerMayWrite(target, why)) {
                return false;
            }
        } else {
            const bool ownerOk = info.st_uid == self || info.st_uid == 0;
            const bool othersWrite = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
            const bool stickyRootFolder =
                !first && S_ISDIR(info.st_mode) && info.st_uid == 0 && (info.st_mode & S_ISVTX);
            if (!ownerOk || (othersWrite && !stickyRootFolder)) {
                if (why) {
                    *why = "'" + current + "' may be written by other users";
                }
                return false;
            }
        }
        if (current == "/") {
            return true;
        }
        const std::size_t slash = current.find_last_of('/');
        current = slash == 0 ? std::string("/") : current.substr(0, slash);
        first = false;
    }
}

}  // namespace component
