// regcomponent [-u] LIBRARY: registers (or with -u unregisters) a component library by calling
// its DllRegisterServer (or DllUnregisterServer).
#include <dlfcn.h>

#include <cstdio>
#include <cstring>

#include "component.h"

int main(int argc, char** argv) {
    const bool unregister = argc == 3 && std::strcmp(argv[1], "-u") == 0;
    if (argc != 2 && !unregister) {
        std::fprintf(stderr, "usage: %s [-u] LIBRARY\n", argv[0]);
        return 2;
    }
    const char* library = argv[argc - 1];
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
