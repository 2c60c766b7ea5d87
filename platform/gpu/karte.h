#pragma once

#include "instanz.h"
#include "muster.h"
#include "puffer.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <memory>
#include <vector>

// A graphics card that the search runs on, through Vulkan compute: its
// device, its queue, the search's pipeline and the buffers of two
// dispatches, so that one runs while the processor readies the next.
// Headless and from any thread, one at a time.
class Karte
{
public:
    // The card that the wish (DOVEVAD_VULKAN) names: none for "0"; for an
    // empty wish a real graphics card, never a device that runs on the
    // processor, the fastest by a short measurement where there are
    // several; else a device whose name holds the wish in any case, such as
    // lavapipe's "llvmpipe". Null where there is none or it cannot search,
    // and warum says why.
    static std::unique_ptr<Karte> waehlen(const QString &wunsch, QString *warum);
    static std::unique_ptr<Karte> waehlen(QString *warum);
    ~Karte();
    Karte(const Karte &) = delete;
    Karte &operator=(const Karte &) = delete;

    QString name() const;
    // A device that runs on the processor, as lavapipe does.
    bool prozessor() const { return m_eigenschaften.deviceType == VK_PHYSICAL_DEVICE_TYPE_CPU; }
    // For tests: after so many more dispatches taken the card fails as a
    // lost one does, and stays lost.
    void ausfallNach(int auftraege) { m_ausfall = auftraege; }

private:
    friend class Kartensuche;
    static constexpr int Plaetze = 2;
    // The shader's local_size_x.
    static constexpr quint64 AufrufeJeGruppe = 64;

    // The shader's push constants, word for word.
    struct Konstanten
    {
        quint64 summe;
        quint64 aufrufSchritt;
        quint64 zurueck;
        quint64 mix;
        quint32 weit;
        quint32 jeAufruf;
        quint32 hoechstens;
        quint32 laenge;
    };
    // The shader's result: the first find from the dispatch's first place,
    // ~0 for none, and the places that its lanes went through.
    struct Antwort
    {
        quint32 fund;
        quint32 abgedeckt;
    };
    // A dispatch's own.
    struct Platz
    {
        VkCommandBuffer befehle = VK_NULL_HANDLE;
        VkFence fertig = VK_NULL_HANDLE;
        VkDescriptorSet satz = VK_NULL_HANDLE;
        std::unique_ptr<Puffer> muster;
        std::unique_ptr<Puffer> ergebnis;
    };

    Karte(std::shared_ptr<const Instanz> instanz, VkPhysicalDevice geraet);
    static std::unique_ptr<Karte> schnellste(std::vector<std::unique_ptr<Karte>> karten, QString *warum);
    bool grafikkarte() const;
    // Each throws Kartenfehler where it fails.
    void einrichten();
    void geraetErstellen();
    void pipelineErstellen();
    void plaetzeErstellen();
    void musterSchreiben(Platz &platz, const Muster &muster);
    // Throws where the card failed, now or before.
    void pruefen(VkResult ergebnis);

    // For Kartensuche: a dispatch from a free place, its answer, and the
    // wait for it without a word on how it went, for a search that ends.
    void abschicken(int platz, const Muster &muster, const Konstanten &konstanten);
    Antwort abholen(int platz);
    void abwarten(int platz);

    const std::shared_ptr<const Instanz> m_instanz;
    const Vulkanlader &m_vk;
    const VkPhysicalDevice m_physisch;
    VkPhysicalDeviceProperties m_eigenschaften;
    VkPhysicalDeviceMemoryProperties m_speicher;
    uint32_t m_familie = 0;
    VkDevice m_geraet = VK_NULL_HANDLE;
    VkQueue m_warteschlange = VK_NULL_HANDLE;
    VkDescriptorSetLayout m_satzform = VK_NULL_HANDLE;
    VkPipelineLayout m_pipelineform = VK_NULL_HANDLE;
    VkPipeline m_pipeline = VK_NULL_HANDLE;
    VkDescriptorPool m_satzvorrat = VK_NULL_HANDLE;
    VkCommandPool m_befehlsvorrat = VK_NULL_HANDLE;
    std::array<Platz, Plaetze> m_plaetze;
    int m_ausfall = -1;
    QString m_ausgefallen; // why, once the card has failed
};
