#pragma once

#include "vulkanlader.h"

// A storage buffer that the processor writes and reads in place: in memory
// that both see alike (host-visible and coherent), mapped while it lives.
class Puffer
{
public:
    // Throws Kartenfehler where there is no such memory or not enough.
    Puffer(const Vulkanlader &vk, VkDevice geraet, const VkPhysicalDeviceMemoryProperties &speicher, VkDeviceSize groesse);
    ~Puffer();
    Puffer(const Puffer &) = delete;
    Puffer &operator=(const Puffer &) = delete;

    VkBuffer handle() const { return m_puffer; }
    VkDeviceSize groesse() const { return m_groesse; }
    void *daten() const { return m_daten; }

private:
    void anlegen(const VkPhysicalDeviceMemoryProperties &speicher);
    void freigeben();

    const Vulkanlader &m_vk;
    const VkDevice m_geraet;
    const VkDeviceSize m_groesse;
    VkBuffer m_puffer = VK_NULL_HANDLE;
    VkDeviceMemory m_speicher = VK_NULL_HANDLE;
    void *m_daten = nullptr;
};
