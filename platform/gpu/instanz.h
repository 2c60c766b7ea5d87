#pragma once

#include "vulkanlader.h"

#include <QString>

#include <memory>
#include <vector>

// A Vulkan instance of the system's loader, without any window system's
// extension, which compute needs none of; the cards it lists share it.
class Instanz
{
public:
    // Null where there is no loader or no driver, with the reason.
    static std::shared_ptr<const Instanz> erstellen(QString *warum);
    ~Instanz();
    Instanz(const Instanz &) = delete;
    Instanz &operator=(const Instanz &) = delete;

    const Vulkanlader &vk() const { return m_vk; }
    std::vector<VkPhysicalDevice> geraete() const;

private:
    Instanz() = default;

    Vulkanlader m_vk;
    VkInstance m_instanz = VK_NULL_HANDLE;
};
