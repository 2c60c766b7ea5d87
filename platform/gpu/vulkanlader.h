#pragma once

#include <vulkan/vulkan.h>

// The Vulkan entry points that the card's search calls, all of them the
// instance's (a device's come through the loader's trampolines).
#define DOVEVAD_VULKAN_FUNKTIONEN(X) \
    X(vkDestroyInstance) X(vkEnumeratePhysicalDevices) X(vkGetPhysicalDeviceProperties) \
    X(vkGetPhysicalDeviceQueueFamilyProperties) X(vkGetPhysicalDeviceMemoryProperties) \
    X(vkCreateDevice) X(vkDestroyDevice) X(vkDeviceWaitIdle) X(vkGetDeviceQueue) X(vkQueueSubmit) \
    X(vkCreateBuffer) X(vkDestroyBuffer) X(vkGetBufferMemoryRequirements) X(vkAllocateMemory) \
    X(vkFreeMemory) X(vkBindBufferMemory) X(vkMapMemory) \
    X(vkCreateShaderModule) X(vkDestroyShaderModule) X(vkCreateComputePipelines) X(vkDestroyPipeline) \
    X(vkCreateDescriptorSetLayout) X(vkDestroyDescriptorSetLayout) X(vkCreatePipelineLayout) \
    X(vkDestroyPipelineLayout) X(vkCreateDescriptorPool) X(vkDestroyDescriptorPool) \
    X(vkAllocateDescriptorSets) X(vkUpdateDescriptorSets) \
    X(vkCreateCommandPool) X(vkDestroyCommandPool) X(vkAllocateCommandBuffers) \
    X(vkBeginCommandBuffer) X(vkEndCommandBuffer) X(vkCmdBindPipeline) X(vkCmdBindDescriptorSets) \
    X(vkCmdPushConstants) X(vkCmdDispatch) X(vkCmdPipelineBarrier) \
    X(vkCreateFence) X(vkDestroyFence) X(vkResetFences) X(vkWaitForFences)

// The system's Vulkan loader, opened at run time rather than linked: a
// machine without it runs the program all the same, without the card.
class Vulkanlader
{
public:
    // Opens libvulkan.so.1; where there is none, every entry point is null.
    Vulkanlader();

    bool offen() const { return vkCreateInstance; }
    // The entry points of an instance made with vkCreateInstance; false
    // where one is missing.
    bool laden(VkInstance instanz);

    PFN_vkGetInstanceProcAddr vkGetInstanceProcAddr = nullptr;
    PFN_vkCreateInstance vkCreateInstance = nullptr;
#define DOVEVAD_VULKAN_ZEIGER(name) PFN_##name name = nullptr;
    DOVEVAD_VULKAN_FUNKTIONEN(DOVEVAD_VULKAN_ZEIGER)
#undef DOVEVAD_VULKAN_ZEIGER
};
