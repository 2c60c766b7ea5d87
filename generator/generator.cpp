#include "generator.h"

#include "abgleich.h"
#include "ausgabe.h"
#include "aufzeichnung.h"
#include "files.h"
#include "karte.h"
#include "kompaktlauf.h"
#include "runview.h"
#include "textlauf.h"
#include "verfolgung.h"

Generator::Generator(RunView &view, RandomSource *random, const QString &logPath)
    : m_view(view), m_logPath(logPath), m_recordPath(recordPathFor(logPath))
{
    if (!random)
        m_ownRandom = std::make_unique<TimerRandom>();
    m_random = random ? random : m_ownRandom.get();
    m_timerRandom = dynamic_cast<TimerRandom *>(m_random);
}

Generator::~Generator() = default;

void Generator::setKarte(std::shared_ptr<Karte> karte, double schritteProSekunde, const QString &warum)
{
    m_karte = std::move(karte);
    m_kartenSchritte = m_karte ? schritteProSekunde : 0;
    m_ohneKarte = m_karte ? QString() : warum;
}

QString Generator::chooseLogPath()
{
    QString folder = Files::programDirectory();
    if (Files::isInstallationFolder(folder) || !Files::isWritableDirectory(folder))
        folder = Files::userDataDirectory();
    return folder + QStringLiteral("/Generated Chars.txt");
}

void Generator::LogdateiLoeschen()
{
    for (const QString &path : {m_logPath, m_recordPath}) {
        if (Files::exists(path))
            Files::remove(path);
    }
}

QString Generator::recordPathFor(const QString &logPath)
{
    const QString stem = logPath.endsWith(QLatin1String(".txt")) ? logPath.chopped(4) : logPath;
    return stem + QLatin1String(Aufzeichnung::Endung);
}

void Generator::showCount()
{
    m_view.showCount(Anzahl.digits() + u' ');
}

void Generator::Generieren()
{
    // The program's own generator goes in as a copy, which the compiler
    // keeps in registers; it has its state back whenever a handler might draw.
    if (m_timerRandom)
        generieren<TimerRandom::Draws>(m_timerRandom->draws());
    else
        generieren<RandomSource &>(*m_random);
}

template <typename Source>
void Generator::generieren(Source random)
{
    // The program's own generator is said by a record beside the log; a
    // test's letters from elsewhere have none, and stop at the reserve.
    constexpr bool eigener = std::is_same_v<Source, TimerRandom::Draws>;
    Ausgabe ausgabe(m_logPath, eigener ? m_recordPath : QString(), eigener && m_kompakt);
    // The target is read once: the window keeps it from changing during a run.
    const QString target = m_view.targetText().toUpper();
    const Abgleich abgleich(std::u16string_view(reinterpret_cast<const char16_t *>(target.utf16()), size_t(target.size())));
    Verfolgung verfolgung = Verfolgung::von(abgleich);
    const qint64 vorher = Anzahl.whole();
    m_ziel = target;
    m_zeichenImLog = ausgabe.imLog();
    m_lastShown = random.timer();

    Ende ende = ausgabe.imLog() == 0 ? Ende::NurAufzeichnung
                                     : Textlauf<Source>(*this, random, ausgabe, verfolgung, vorher).laufen();
    if constexpr (eigener)
        m_timerRandom->draws() = random; // the run's state back for good
    if (ende == Ende::NurAufzeichnung)
        ende = Kompaktlauf(*this, ausgabe, verfolgung, vorher, quint64(Anzahl.whole() - vorher)).laufen();
    m_naehe = verfolgung.naehe;
    beenden(ende, ausgabe, vorher);
}

void Generator::beenden(Ende ende, Ausgabe &ausgabe, qint64 vorher)
{
    if (ende == Ende::Gefunden) {
        showCount();
        m_view.found();
    }
    if (ende == Ende::Voll || ende == Ende::Grenze)
        m_view.endRun();
    ausgabe.schliessen(quint64(Anzahl.whole() - vorher));
    Laufende laufende;
    laufende.wie = ende == Ende::Gefunden ? Wie::Gefunden
        : ende == Ende::Voll              ? Wie::Voll
        : ende == Ende::Grenze            ? Wie::Grenze
                                          : Wie::Angehalten;
    laufende.ziel = m_ziel;
    laufende.zeichen = Anzahl.whole();
    laufende.naehe = m_naehe;
    laufende.logPath = m_logPath;
    laufende.recordPath = m_recordPath;
    laufende.imLog = ausgabe.imLog();
    laufende.groesse = ausgabe.groesse();
    laufende.aufzeichnungVoll = ausgabe.log().discards();
    m_view.finished(laufende);
}

bool Generator::zwischenstand(quint64 now)
{
    // A screen shows a new picture every 16 ms or so; a caption changed more
    // often costs paints that nobody sees.
    if (now - m_lastShown >= FrameInterval) {
        m_lastShown = now;
        showCount();
    }
    m_view.processPendingEvents();
    if (laufend)
        return true;
    showCount(); // the count the stop came at, which the log holds
    return false;
}
