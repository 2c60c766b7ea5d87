#include "tempomessung.h"

#include "karte.h"
#include "kartenfehler.h"
#include "kartensuche.h"
#include "muster.h"
#include "tipprunde.h"
#include "vortipper.h"

#include <QMetaObject>

namespace {

// Eight letters that overlap nowhere, for the windows a second.
constexpr char Ziel[] = "ZEICHENF";
constexpr std::chrono::milliseconds Dauer{20};

} // namespace

void Tempomessung::starten(QObject *empfaenger, std::function<void(const Messwerte &)> fertig)
{
    m_thread = std::jthread([empfaenger, fertig = std::move(fertig)] {
        const Messwerte werte = messen();
        QMetaObject::invokeMethod(empfaenger, [fertig, werte] { fertig(werte); }, Qt::QueuedConnection);
    });
}

Tempomessung::Messwerte Tempomessung::messen()
{
    Messwerte werte;
    const Muster muster(Ziel);
    try {
        werte.zeichenProSekunde = Vortipper::zeichenProSekunde(Dauer);
        werte.kernSchritte = Tipprunde::stellenProSekunde(Ziel, Dauer) / muster.mittlererSprung();
    } catch (const std::exception &) {
        // The tooltip goes on without a duration.
    }
    werte.karte = Karte::waehlen(&werte.ohneKarte);
    try {
        if (werte.karte) {
            werte.kartenSchritte = Kartensuche(*werte.karte).stellenProSekunde(muster, Dauer) / muster.mittlererSprung();
            const Tipprunde::Besetzung besetzung{Tipprunde::kerne(werte.karte.get(), werte.kartenSchritte, Ziel),
                                                 werte.karte, werte.kartenSchritte};
            werte.gemeinsamSchritte = Tipprunde::stellenProSekunde(Ziel, besetzung, 10 * Dauer) / muster.mittlererSprung();
        }
    } catch (const Kartenfehler &fehler) {
        // A card that fails as it is measured is no card to type on.
        werte.karte.reset();
        werte.ohneKarte = fehler.text();
    }
    return werte;
}
