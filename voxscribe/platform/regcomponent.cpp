// regcomponent [--system] [-u] LIBRARY: registers (or with -u unregisters) a component library by
// calling its DllRegisterServer (or DllUnregisterServer). With --system the record goes to the
// system-wide registration folder instead of the user's, as a package's install scripts need.
// It refuses a registration folder that other users may write: the program would not read a
// record from there.
#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "component.h"
#include "component_registry.h"

int main(int argc, char** argv) {
    bool unregister = false;
    bool system = false;
    const char* library = nullptr;
    bool usage = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-u") == 0) {
            unregister = true;
        } else if (std::strcmp(argv[i], "--system") == 0) {
            system = true;
        } else if (argv[i][0] == '-' || library) {
            usage = true;
        } else {
            library = argv[i];
        }
    }
    if (usage || !library) {
        std::fprintf(stderr, "usage: %s [--system] [-u] LIBRARY\n", argv[0]);
        return 2;
    }
    if (system) {
        // The library writes its record into the per-user folder; point that at the system-wide
        // one for this process, so the library itself need not know about system installs.
        const std::string folder = component::systemRegistryDir();
        if (setenv("COMPONENT_REGISTRY_DIR", folder.c_str(), 1) != 0) {
            std::perror("setenv");
            return 1;
        }
    }
    const std::string folder = component::userRegistryDir();
    if (folder.empty()) {
        std::fprintf(stderr, "%s: no home folder for the registration record\n", argv[0]);
        return 1;
    }
    // The folder may not exist yet; then the nearest existing folder above it decides.
    std::string existing = folder;
    struct stat info {};
    while (stat(existing.c_str(), &info) != 0) {
        const std::size_t slash = existing.find_last_of('/');
        if (slash == std::string::npos || existing == "/") {
            break;  // a relative or unknown path: refused below
        }
        existing = slash == 0 ? std::string("/") : existing.substr(0, slash);
    }
    if (std::string why; !component::onlyOwnerMayWrite(existing, &why)) {
        std::fprintf(stderr, "%s: refusing the registration folder %s: %s\n", argv[0],
                     folder.c_str(), why.c_str());
        return 1;
    }
    // Whatever the user's umask, the folders and the record made now must not be writable by
    // others, or the program would refuse to read them.
    umask(umask(0) | S_IWGRP | S_IWOTH);
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto function = reinterpret_cast<DllRegisterServerFn>(dlsym(handle, entry));
    if (!function) {
        std::fprintf(stderr, "%s: no %s\n", library, entry);
        return 1;
    }
    const component::Result result = function();
    if (result != component::kOk) {
        std::fprintf(stderr, "%s: %s failed (0x%08X)\n", library, entry,
                     static_cast<unsigned>(result));
        return 1;
    }
    return 0;
}
