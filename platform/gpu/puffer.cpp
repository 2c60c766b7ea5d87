#include "puffer.h"

#include "kartenfehler.h"

#include <QCoreApplication>

namespace {

// Of the kinds of memory the buffer may lie in, one that the processor
// sees as the card does; the card's own where it has such.
int speicherart(const VkPhysicalDeviceMemoryProperties &speicher, uint32_t erlaubt)
{
    constexpr VkMemoryPropertyFlags Noetig = VK_MEMORY_PROPERTY_HOST_VISIBLE_BIT | VK_MEMORY_PROPERTY_HOST_COHERENT_BIT;
    int beste = -1;
    for (uint32_t art = 0; art < speicher.memoryTypeCount; ++art) {
        const VkMemoryPropertyFlags eigenschaften = speicher.memoryTypes[art].propertyFlags;
        if (!(erlaubt & (1u << art)) || (eigenschaften & Noetig) != Noetig)
            continue;
        if (eigenschaften & VK_MEMORY_PROPERTY_DEVICE_LOCAL_BIT)
            return int(art);
        if (beste < 0)
            beste = int(art);
    }
    return beste;
}

} // namespace

Puffer::Puffer(const Vulkanlader &vk, VkDevice geraet, const VkPhysicalDeviceMemoryProperties &speicher, VkDeviceSize groesse)
    : m_vk(vk), m_geraet(geraet), m_groesse(groesse)
{
    try {
        anlegen(speicher);
    } catch (...) {
        freigeben();
        throw;
    }
}

Puffer::~Puffer()
{
    freigeben();
}

void Puffer::anlegen(const VkPhysicalDeviceMemoryProperties &speicher)
{
    const auto kein = [] { return Kartenfehler(QCoreApplication::translate("Karte", "Der Grafikkarte fehlt der Speicher.")); };
    const VkBufferCreateInfo info{.sType = VK_STRUCTURE_TYPE_BUFFER_CREATE_INFO, .size = m_groesse,
                                  .usage = VK_BUFFER_USAGE_STORAGE_BUFFER_BIT, .sharingMode = VK_SHARING_MODE_EXCLUSIVE};
    if (m_vk.vkCreateBuffer(m_geraet, &info, nullptr, &m_puffer) != VK_SUCCESS) {
        m_puffer = VK_NULL_HANDLE;
        throw kein();
    }
    VkMemoryRequirements bedarf;
    m_vk.vkGetBufferMemoryRequirements(m_geraet, m_puffer, &bedarf);
    const int art = speicherart(speicher, bedarf.memoryTypeBits);
    if (art < 0)
        throw kein();
    const VkMemoryAllocateInfo zuteilung{.sType = VK_STRUCTURE_TYPE_MEMORY_ALLOCATE_INFO, .allocationSize = bedarf.size,
                                         .memoryTypeIndex = uint32_t(art)};
    if (m_vk.vkAllocateMemory(m_geraet, &zuteilung, nullptr, &m_speicher) != VK_SUCCESS) {
        m_speicher = VK_NULL_HANDLE;
        throw kein();
    }
    if (m_vk.vkBindBufferMemory(m_geraet, m_puffer, m_speicher, 0) != VK_SUCCESS
        || m_vk.vkMapMemory(m_geraet, m_speicher, 0, VK_WHOLE_SIZE, 0, &m_daten) != VK_SUCCESS)
        throw kein();
}

void Puffer::freigeben()
{
    if (m_puffer)
        m_vk.vkDestroyBuffer(m_geraet, m_puffer, nullptr);
    // Freeing the memory unmaps it.
    if (m_speicher)
        m_vk.vkFreeMemory(m_geraet, m_speicher, nullptr);
}
