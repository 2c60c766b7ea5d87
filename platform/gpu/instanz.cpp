#include "instanz.h"

#include <QCoreApplication>

std::shared_ptr<const Instanz> Instanz::erstellen(QString *warum)
{
    std::shared_ptr<Instanz> instanz(new Instanz);
    const VkApplicationInfo programm{.sType = VK_STRUCTURE_TYPE_APPLICATION_INFO, .pApplicationName = "Dovevad",
                                     .apiVersion = VK_API_VERSION_1_1};
    const VkInstanceCreateInfo info{.sType = VK_STRUCTURE_TYPE_INSTANCE_CREATE_INFO, .pApplicationInfo = &programm};
    Vulkanlader &vk = instanz->m_vk;
    const bool erstellt = vk.offen() && vk.vkCreateInstance(&info, nullptr, &instanz->m_instanz) == VK_SUCCESS;
    if (!erstellt)
        instanz->m_instanz = VK_NULL_HANDLE;
    if (!erstellt || !vk.laden(instanz->m_instanz)) {
        *warum = QCoreApplication::translate("Karte", "Kein Vulkan-Treiber gefunden.");
        return {};
    }
    return instanz;
}

Instanz::~Instanz()
{
    if (m_instanz && m_vk.vkDestroyInstance)
        m_vk.vkDestroyInstance(m_instanz, nullptr);
}

std::vector<VkPhysicalDevice> Instanz::geraete() const
{
    uint32_t anzahl = 0;
    m_vk.vkEnumeratePhysicalDevices(m_instanz, &anzahl, nullptr);
    std::vector<VkPhysicalDevice> geraete(anzahl);
    if (m_vk.vkEnumeratePhysicalDevices(m_instanz, &anzahl, geraete.data()) < VK_SUCCESS)
        return {};
    geraete.resize(anzahl);
    return geraete;
}
