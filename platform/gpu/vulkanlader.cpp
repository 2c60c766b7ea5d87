#include "vulkanlader.h"

#include <dlfcn.h>

Vulkanlader::Vulkanlader()
{
    // Opened once and never closed: a loader that has loaded drivers and
    // layers is not safe to unload under them.
    static void *const bibliothek = dlopen("libvulkan.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!bibliothek)
        return;
    vkGetInstanceProcAddr = reinterpret_cast<PFN_vkGetInstanceProcAddr>(dlsym(bibliothek, "vkGetInstanceProcAddr"));
    if (vkGetInstanceProcAddr)
        vkCreateInstance = reinterpret_cast<PFN_vkCreateInstance>(vkGetInstanceProcAddr(nullptr, "vkCreateInstance"));
}

bool Vulkanlader::laden(VkInstance instanz)
{
    bool alle = true;
#define DOVEVAD_VULKAN_LADEN(name) \
    name = reinterpret_cast<PFN_##name>(vkGetInstanceProcAddr(instanz, #name)); \
    alle = alle && name;
    DOVEVAD_VULKAN_FUNKTIONEN(DOVEVAD_VULKAN_LADEN)
#undef DOVEVAD_VULKAN_LADEN
    return alle;
}
