#include "karte.h"

#include "kartenfehler.h"
#include "kartensuche.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>

namespace {

// The search's shader, compiled at build time.
constexpr uint32_t Spirv[] =
#include "kartensuche.spv.inc"
    ;

// Longer than any dispatch of a few milliseconds takes: a card that is
// silent for so long has failed.
constexpr uint64_t Wartezeit = 2'000'000'000;

// The shader's skips for a leading letter, word for word.
struct Sprung
{
    quint64 schritt;
    quint32 stellen;
    quint32 frei;
};
static_assert(sizeof(Sprung) == 16);

// A call that fails leaves what it was to make undefined: then it is none.
template<typename Handle>
VkResult genullt(VkResult ergebnis, Handle &handle)
{
    if (ergebnis != VK_SUCCESS)
        handle = VK_NULL_HANDLE;
    return ergebnis;
}

} // namespace

std::unique_ptr<Karte> Karte::waehlen(const QString &wunsch, QString *warum)
{
    if (wunsch == QLatin1String("0")) {
        *warum = QCoreApplication::translate("Karte", "Die Grafikkarte ist abgeschaltet (DOVEVAD_VULKAN=0).");
        return {};
    }
    const std::shared_ptr<const Instanz> instanz = Instanz::erstellen(warum);
    if (!instanz)
        return {};
    const std::vector<VkPhysicalDevice> geraete = instanz->geraete();
    std::vector<std::unique_ptr<Karte>> karten;
    for (const VkPhysicalDevice geraet : geraete) {
        std::unique_ptr<Karte> karte(new Karte(instanz, geraet));
        if (wunsch.isEmpty() ? karte->grafikkarte() : karte->name().contains(wunsch, Qt::CaseInsensitive))
            karten.push_back(std::move(karte));
    }
    if (karten.empty()) {
        *warum = wunsch.isEmpty() || geraete.empty()
            ? QCoreApplication::translate("Karte", "Keine Grafikkarte gefunden.")
            : QCoreApplication::translate("Karte", "Keine Grafikkarte heißt „%1“.").arg(wunsch);
        return {};
    }
    return schnellste(std::move(karten), warum);
}

std::unique_ptr<Karte> Karte::waehlen(QString *warum)
{
    return waehlen(qEnvironmentVariable("DOVEVAD_VULKAN"), warum);
}

std::unique_ptr<Karte> Karte::schnellste(std::vector<std::unique_ptr<Karte>> karten, QString *warum)
{
    std::unique_ptr<Karte> beste;
    double bestesTempo = 0;
    for (std::unique_ptr<Karte> &karte : karten) {
        try {
            karte->einrichten();
            // A few milliseconds of a search of eight letters each.
            const double tempo = karten.size() == 1
                ? 1
                : Kartensuche(*karte).stellenProSekunde(Muster("ZEICHENF"), std::chrono::milliseconds(5));
            if (!beste || tempo > bestesTempo) {
                beste = std::move(karte);
                bestesTempo = tempo;
            }
        } catch (const Kartenfehler &fehler) {
            *warum = fehler.text();
        }
    }
    return beste;
}

Karte::Karte(std::shared_ptr<const Instanz> instanz, VkPhysicalDevice geraet)
    : m_instanz(std::move(instanz)), m_vk(m_instanz->vk()), m_physisch(geraet)
{
    m_vk.vkGetPhysicalDeviceProperties(m_physisch, &m_eigenschaften);
    m_vk.vkGetPhysicalDeviceMemoryProperties(m_physisch, &m_speicher);
}

Karte::~Karte()
{
    if (!m_geraet)
        return;
    m_vk.vkDeviceWaitIdle(m_geraet);
    for (Platz &platz : m_plaetze) {
        platz.muster.reset();
        platz.ergebnis.reset();
        m_vk.vkDestroyFence(m_geraet, platz.fertig, nullptr);
    }
    // The command buffers and descriptor sets go with their pools.
    m_vk.vkDestroyCommandPool(m_geraet, m_befehlsvorrat, nullptr);
    m_vk.vkDestroyDescriptorPool(m_geraet, m_satzvorrat, nullptr);
    m_vk.vkDestroyPipeline(m_geraet, m_pipeline, nullptr);
    m_vk.vkDestroyPipelineLayout(m_geraet, m_pipelineform, nullptr);
    m_vk.vkDestroyDescriptorSetLayout(m_geraet, m_satzform, nullptr);
    m_vk.vkDestroyDevice(m_geraet, nullptr);
}

QString Karte::name() const
{
    return QString::fromUtf8(m_eigenschaften.deviceName);
}

bool Karte::grafikkarte() const
{
    switch (m_eigenschaften.deviceType) {
    case VK_PHYSICAL_DEVICE_TYPE_INTEGRATED_GPU:
    case VK_PHYSICAL_DEVICE_TYPE_DISCRETE_GPU:
    case VK_PHYSICAL_DEVICE_TYPE_VIRTUAL_GPU:
        return true;
    default:
        return false;
    }
}

void Karte::einrichten()
{
    // The shader is SPIR-V 1.3.
    if (m_eigenschaften.apiVersion < VK_API_VERSION_1_1)
        throw Kartenfehler(QCoreApplication::translate("Karte", "Die Grafikkarte „%1“ kann kein Vulkan 1.1.").arg(name()));
    geraetErstellen();
    pipelineErstellen();
    plaetzeErstellen();
}

void Karte::geraetErstellen()
{
    uint32_t anzahl = 0;
    m_vk.vkGetPhysicalDeviceQueueFamilyProperties(m_physisch, &anzahl, nullptr);
    std::vector<VkQueueFamilyProperties> familien(anzahl);
    m_vk.vkGetPhysicalDeviceQueueFamilyProperties(m_physisch, &anzahl, familien.data());
    const auto rechnend = std::find_if(familien.begin(), familien.end(),
                                       [](const VkQueueFamilyProperties &familie) { return familie.queueFlags & VK_QUEUE_COMPUTE_BIT; });
    if (rechnend == familien.end())
        throw Kartenfehler(QCoreApplication::translate("Karte", "Die Grafikkarte „%1“ kann nicht rechnen.").arg(name()));
    m_familie = uint32_t(rechnend - familien.begin());
    const float vorrang = 1;
    const VkDeviceQueueCreateInfo warteschlange{.sType = VK_STRUCTURE_TYPE_DEVICE_QUEUE_CREATE_INFO,
                                                .queueFamilyIndex = m_familie, .queueCount = 1, .pQueuePriorities = &vorrang};
    const VkDeviceCreateInfo info{.sType = VK_STRUCTURE_TYPE_DEVICE_CREATE_INFO, .queueCreateInfoCount = 1,
                                  .pQueueCreateInfos = &warteschlange};
    pruefen(genullt(m_vk.vkCreateDevice(m_physisch, &info, nullptr, &m_geraet), m_geraet));
    m_vk.vkGetDeviceQueue(m_geraet, m_familie, 0, &m_warteschlange);
}

void Karte::pipelineErstellen()
{
    std::array<VkDescriptorSetLayoutBinding, 2> bindungen{};
    for (uint32_t bindung = 0; bindung < bindungen.size(); ++bindung)
        bindungen[bindung] = {bindung, VK_DESCRIPTOR_TYPE_STORAGE_BUFFER, 1, VK_SHADER_STAGE_COMPUTE_BIT, nullptr};
    const VkDescriptorSetLayoutCreateInfo satzform{.sType = VK_STRUCTURE_TYPE_DESCRIPTOR_SET_LAYOUT_CREATE_INFO,
                                                   .bindingCount = uint32_t(bindungen.size()), .pBindings = bindungen.data()};
    pruefen(genullt(m_vk.vkCreateDescriptorSetLayout(m_geraet, &satzform, nullptr, &m_satzform), m_satzform));
    const VkPushConstantRange konstanten{VK_SHADER_STAGE_COMPUTE_BIT, 0, sizeof(Konstanten)};
    const VkPipelineLayoutCreateInfo form{.sType = VK_STRUCTURE_TYPE_PIPELINE_LAYOUT_CREATE_INFO, .setLayoutCount = 1,
                                          .pSetLayouts = &m_satzform, .pushConstantRangeCount = 1,
                                          .pPushConstantRanges = &konstanten};
    pruefen(genullt(m_vk.vkCreatePipelineLayout(m_geraet, &form, nullptr, &m_pipelineform), m_pipelineform));

    const VkShaderModuleCreateInfo programm{.sType = VK_STRUCTURE_TYPE_SHADER_MODULE_CREATE_INFO, .codeSize = sizeof(Spirv),
                                            .pCode = Spirv};
    VkShaderModule modul = VK_NULL_HANDLE;
    bool geladen = genullt(m_vk.vkCreateShaderModule(m_geraet, &programm, nullptr, &modul), modul) == VK_SUCCESS;
    if (geladen) {
        const VkComputePipelineCreateInfo info{
            .sType = VK_STRUCTURE_TYPE_COMPUTE_PIPELINE_CREATE_INFO,
            .stage = {.sType = VK_STRUCTURE_TYPE_PIPELINE_SHADER_STAGE_CREATE_INFO, .stage = VK_SHADER_STAGE_COMPUTE_BIT,
                      .module = modul, .pName = "main"},
            .layout = m_pipelineform};
        geladen = genullt(m_vk.vkCreateComputePipelines(m_geraet, VK_NULL_HANDLE, 1, &info, nullptr, &m_pipeline), m_pipeline)
            == VK_SUCCESS;
    }
    m_vk.vkDestroyShaderModule(m_geraet, modul, nullptr);
    if (!geladen)
        throw Kartenfehler(QCoreApplication::translate("Karte", "Die Grafikkarte kann das Suchprogramm nicht laden."));
}

void Karte::plaetzeErstellen()
{
    const VkDescriptorPoolSize art{VK_DESCRIPTOR_TYPE_STORAGE_BUFFER, 2 * Plaetze};
    const VkDescriptorPoolCreateInfo satzvorrat{.sType = VK_STRUCTURE_TYPE_DESCRIPTOR_POOL_CREATE_INFO, .maxSets = Plaetze,
                                                .poolSizeCount = 1, .pPoolSizes = &art};
    pruefen(genullt(m_vk.vkCreateDescriptorPool(m_geraet, &satzvorrat, nullptr, &m_satzvorrat), m_satzvorrat));
    const VkCommandPoolCreateInfo befehlsvorrat{.sType = VK_STRUCTURE_TYPE_COMMAND_POOL_CREATE_INFO,
                                                .flags = VK_COMMAND_POOL_CREATE_RESET_COMMAND_BUFFER_BIT,
                                                .queueFamilyIndex = m_familie};
    pruefen(genullt(m_vk.vkCreateCommandPool(m_geraet, &befehlsvorrat, nullptr, &m_befehlsvorrat), m_befehlsvorrat));

    std::array<VkDescriptorSetLayout, Plaetze> formen;
    formen.fill(m_satzform);
    const VkDescriptorSetAllocateInfo saetze{.sType = VK_STRUCTURE_TYPE_DESCRIPTOR_SET_ALLOCATE_INFO,
                                             .descriptorPool = m_satzvorrat, .descriptorSetCount = Plaetze,
                                             .pSetLayouts = formen.data()};
    std::array<VkDescriptorSet, Plaetze> satz;
    pruefen(m_vk.vkAllocateDescriptorSets(m_geraet, &saetze, satz.data()));
    const VkCommandBufferAllocateInfo befehle{.sType = VK_STRUCTURE_TYPE_COMMAND_BUFFER_ALLOCATE_INFO,
                                              .commandPool = m_befehlsvorrat, .level = VK_COMMAND_BUFFER_LEVEL_PRIMARY,
                                              .commandBufferCount = Plaetze};
    std::array<VkCommandBuffer, Plaetze> befehl;
    pruefen(m_vk.vkAllocateCommandBuffers(m_geraet, &befehle, befehl.data()));
    for (int i = 0; i < Plaetze; ++i) {
        Platz &platz = m_plaetze[size_t(i)];
        platz.satz = satz[size_t(i)];
        platz.befehle = befehl[size_t(i)];
        const VkFenceCreateInfo zaun{.sType = VK_STRUCTURE_TYPE_FENCE_CREATE_INFO};
        pruefen(genullt(m_vk.vkCreateFence(m_geraet, &zaun, nullptr, &platz.fertig), platz.fertig));
        platz.ergebnis = std::make_unique<Puffer>(m_vk, m_geraet, m_speicher, sizeof(Antwort));
    }
}

// The skips and the pattern's letters, in a buffer as long as they need.
void Karte::musterSchreiben(Platz &platz, const Muster &muster)
{
    const VkDeviceSize groesse = sizeof(Sprung) * Muster::Buchstaben + sizeof(quint32) * quint64(muster.laenge());
    if (!platz.muster || platz.muster->groesse() < groesse) {
        platz.muster.reset();
        platz.muster = std::make_unique<Puffer>(m_vk, m_geraet, m_speicher, groesse);
        const VkDescriptorBufferInfo puffer[] = {{platz.muster->handle(), 0, VK_WHOLE_SIZE},
                                                 {platz.ergebnis->handle(), 0, VK_WHOLE_SIZE}};
        const VkWriteDescriptorSet schreiben{.sType = VK_STRUCTURE_TYPE_WRITE_DESCRIPTOR_SET, .dstSet = platz.satz,
                                             .descriptorCount = 2, .descriptorType = VK_DESCRIPTOR_TYPE_STORAGE_BUFFER,
                                             .pBufferInfo = puffer};
        m_vk.vkUpdateDescriptorSets(m_geraet, 1, &schreiben, 0, nullptr);
    }
    auto *sprung = static_cast<Sprung *>(platz.muster->daten());
    for (unsigned x = 0; x < Muster::Buchstaben; ++x)
        sprung[x] = {muster.zaehlerSprung(x), muster.sprung(x), 0};
    auto *buchstaben = reinterpret_cast<quint32 *>(sprung + Muster::Buchstaben);
    for (int k = 0; k < muster.laenge(); ++k)
        buchstaben[k] = muster.buchstabe(k);
}

void Karte::pruefen(VkResult ergebnis)
{
    if (m_ausgefallen.isEmpty() && ergebnis != VK_SUCCESS) {
        switch (ergebnis) {
        case VK_ERROR_OUT_OF_HOST_MEMORY:
        case VK_ERROR_OUT_OF_DEVICE_MEMORY:
            m_ausgefallen = QCoreApplication::translate("Karte", "Der Grafikkarte fehlt der Speicher.");
            break;
        case VK_ERROR_DEVICE_LOST:
            m_ausgefallen = QCoreApplication::translate("Karte", "Die Grafikkarte ist ausgefallen.");
            break;
        case VK_TIMEOUT:
            m_ausgefallen = QCoreApplication::translate("Karte", "Die Grafikkarte antwortet nicht.");
            break;
        default:
            m_ausgefallen = QCoreApplication::translate("Karte", "Die Grafikkarte meldet den Fehler %1.").arg(int(ergebnis));
        }
    }
    if (!m_ausgefallen.isEmpty())
        throw Kartenfehler(m_ausgefallen);
}

void Karte::abschicken(int i, const Muster &muster, const Konstanten &konstanten)
{
    pruefen(VK_SUCCESS); // a failed card stays failed
    Platz &platz = m_plaetze[size_t(i)];
    musterSchreiben(platz, muster);
    *static_cast<Antwort *>(platz.ergebnis->daten()) = {~quint32(0), 0};
    const quint64 jeGruppe = AufrufeJeGruppe * konstanten.jeAufruf;
    const VkCommandBufferBeginInfo beginn{.sType = VK_STRUCTURE_TYPE_COMMAND_BUFFER_BEGIN_INFO,
                                          .flags = VK_COMMAND_BUFFER_USAGE_ONE_TIME_SUBMIT_BIT};
    pruefen(m_vk.vkBeginCommandBuffer(platz.befehle, &beginn));
    m_vk.vkCmdBindPipeline(platz.befehle, VK_PIPELINE_BIND_POINT_COMPUTE, m_pipeline);
    m_vk.vkCmdBindDescriptorSets(platz.befehle, VK_PIPELINE_BIND_POINT_COMPUTE, m_pipelineform, 0, 1, &platz.satz, 0, nullptr);
    m_vk.vkCmdPushConstants(platz.befehle, m_pipelineform, VK_SHADER_STAGE_COMPUTE_BIT, 0, sizeof(Konstanten), &konstanten);
    m_vk.vkCmdDispatch(platz.befehle, uint32_t((konstanten.weit + jeGruppe - 1) / jeGruppe), 1, 1);
    // What the shader wrote, for the processor to read once the fence says the dispatch is done.
    const VkMemoryBarrier gelesen{.sType = VK_STRUCTURE_TYPE_MEMORY_BARRIER, .srcAccessMask = VK_ACCESS_SHADER_WRITE_BIT,
                                  .dstAccessMask = VK_ACCESS_HOST_READ_BIT};
    m_vk.vkCmdPipelineBarrier(platz.befehle, VK_PIPELINE_STAGE_COMPUTE_SHADER_BIT, VK_PIPELINE_STAGE_HOST_BIT, 0, 1, &gelesen,
                              0, nullptr, 0, nullptr);
    pruefen(m_vk.vkEndCommandBuffer(platz.befehle));
    pruefen(m_vk.vkResetFences(m_geraet, 1, &platz.fertig));
    const VkSubmitInfo auftrag{.sType = VK_STRUCTURE_TYPE_SUBMIT_INFO, .commandBufferCount = 1,
                               .pCommandBuffers = &platz.befehle};
    pruefen(m_vk.vkQueueSubmit(m_warteschlange, 1, &auftrag, platz.fertig));
}

Karte::Antwort Karte::abholen(int i)
{
    pruefen(m_ausfall == 0 ? VK_ERROR_DEVICE_LOST : VK_SUCCESS);
    const Platz &platz = m_plaetze[size_t(i)];
    pruefen(m_vk.vkWaitForFences(m_geraet, 1, &platz.fertig, VK_TRUE, Wartezeit));
    if (m_ausfall > 0)
        --m_ausfall;
    return *static_cast<const Antwort *>(platz.ergebnis->daten());
}

void Karte::abwarten(int i)
{
    // A failed card records nothing more: its fences need no waiting.
    if (m_ausgefallen.isEmpty())
        m_vk.vkWaitForFences(m_geraet, 1, &m_plaetze[size_t(i)].fertig, VK_TRUE, Wartezeit);
}
