#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <thread>

class Karte;

// The paces that a run's costs are told at, measured once the window is up,
// on a thread of its own so that nobody waits: the letters a second of a
// run with a log, the windows a second of a compact run's search on one
// core, and the graphics card that DOVEVAD_VULKAN chooses, with its own
// and with the cores' typists beside it, as a compact run has them.
class Tempomessung
{
public:
    struct Messwerte
    {
        double zeichenProSekunde = 0;
        double kernSchritte = 0;
        std::shared_ptr<Karte> karte;
        double kartenSchritte = 0;
        double gemeinsamSchritte = 0; // of the card and the cores together
        QString ohneKarte;            // why there is none
    };

    // Hands what it measured to fertig on the receiver's thread.
    void starten(QObject *empfaenger, std::function<void(const Messwerte &)> fertig);

private:
    static Messwerte messen();
    std::jthread m_thread;
};
