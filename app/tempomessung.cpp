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

void Tempomessung::starten(QObject *empfaenger, std::function<void(const Ergebnis &)> fertig)
{
    m_thread = std::jthread([empfaenger, fertig = std::move(fertig)] {
        const Ergebnis ergebnis = messen();
        QMetaObject::invokeMethod(empfaenger, [fertig, ergebnis] { fertig(ergebnis); }, Qt::QueuedConnection);
    });
}

Tempomessung::Ergebnis Tempomessung::messen()
{
    Ergebnis ergebnis;
    const Muster muster(Ziel);
    try {
        ergebnis.zeichenProSekunde = Vortipper::zeichenProSekunde(Dauer);
        ergebnis.kernSchritte = Tipprunde::stellenProSekunde(Ziel, Dauer) / muster.mittlererSprung();
    } catch (const std::exception &) {
        // The tooltip goes on without a duration.
    }
    ergebnis.karte = Karte::waehlen(&ergebnis.ohneKarte);
    try {
        if (ergebnis.karte)
            ergebnis.kartenSchritte = Kartensuche(*ergebnis.karte).stellenProSekunde(muster, Dauer) / muster.mittlererSprung();
    } catch (const Kartenfehler &fehler) {
        // A card that fails as it is measured is no card to type on.
        ergebnis.karte.reset();
        ergebnis.ohneKarte = fehler.text();
    }
    return ergebnis;
}
