#include "generator.h"

#include "ausgabe.h"
#include "abgleich.h"
#include "ansi.h"
#include "aufzeichner.h"
#include "suchlauf.h"
#include "files.h"
#include "groesse.h"
#include "msgbox.h"
#include "reserve.h"
#include "runview.h"
#include "shell.h"
#include "sprache.h"
#include "viewerstart.h"
#include "vortipper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QCoreApplication>

#include <algorithm>
#include <cstring>

Generator::Generator(RunView &view, RandomSource *random, const QString &logPath)
    : m_view(view), m_logPath(logPath), m_recordPath(recordPathFor(logPath))
{
    if (!random)
        m_ownRandom = std::make_unique<TimerRandom>();
    m_random = random ? random : m_ownRandom.get();
    m_timerRandom = dynamic_cast<TimerRandom *>(m_random);
}

Generator::~Generator() = default;

QString Generator::Stringbereinigen(const QString &Zeile)
{
    QString result;
    result.reserve(Zeile.size());
    for (QChar c : Zeile) {
        const int code = Ansi::code(c);
        if ((code >= 65 && code <= 90) || (code >= 97 && code <= 122))
            result.append(c);
    }
    return result;
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

namespace {

// No clock reads this: at first and after anything but the run's own
// letter, the next letter starts a stretch of the record of its own.
constexpr quint64 NoReading = ~quint64(0);

// As a POSIX shell reads it, whatever the path holds.
QString shellQuoted(const QString &text)
{
    QString quoted = text;
    return u'\'' + quoted.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

// The second typist's block: its letters typed in the log's format, each
// stretch of one key noted, the target followed from the automaton's start.
template <typename Tippen>
void blockTippen(TimerRandom::Draws &random, Abgleich::Schritt step, Vortipper::Block &block, Tippen &&tippen)
{
    using Vorschau = Vortipper::Vorschau;
    quint64 reading = NoReading;
    uint32_t state = step.zustand(0), highest = state, highestAt = 0;
    for (uint32_t i = 0; i != Vortipper::BlockLetters; ++i) {
        state = step(state, tippen(random, block.letters + 3 * i));
        if (i < Vorschau::Anfang)
            block.vorschau.zustaende[i] = state;
        else if (Q_UNLIKELY(state > highest))
            highest = state, highestAt = i;
        if (Q_UNLIKELY(random.timer() != reading)) {
            reading = random.timer();
            block.strecken.push_back({i, random.key(), random.counter() - RandomGenerator::Increment, 0});
        }
    }
    block.vorschau.ende = state;
    block.vorschau.hoechster = highest;
    block.vorschau.hoechsterBei = highestAt;
}

} // namespace

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

template <typename Source, typename Call>
Q_ALWAYS_INLINE void Generator::withGeneratorWhole(Source &random, Call &&call)
{
    // Copies, never the run's own address, which would keep its generator
    // out of registers for the whole run.
    if constexpr (std::is_same_v<Source, TimerRandom::Draws>) {
        m_timerRandom->draws() = random;
        call();
        random = m_timerRandom->draws();
    } else {
        call();
    }
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

    Ende ende = ausgabe.imLog() == 0 ? Ende::NurAufzeichnung : insLog(random, ausgabe, verfolgung, vorher);
    withGeneratorWhole(random, [] {}); // hands the run's state back for good
    if (ende == Ende::NurAufzeichnung)
        ende = inAufzeichnung(ausgabe, verfolgung, vorher, quint64(Anzahl.whole() - vorher));
    m_naehe = verfolgung.naehe;
    m_gefunden = ende == Ende::Gefunden;
    if (m_gefunden)
        meldeGefunden();
    if (ende == Ende::Voll)
        m_view.endRun();
    const qint64 letters = Anzahl.whole() - vorher;
    ausgabe.schliessen(quint64(letters));
    // Letters in the record only are shown from it, at the end of the run;
    // where the viewer cannot start, the user is told where they are.
    if (ausgabe.imLog() < 0)
        DateiOeffnen(m_view.nativeHandle(), m_logPath);
    else if (!ViewerStart::start(viewerArguments(m_recordPath)))
        meldeAufzeichnung(ausgabe.imLog(), letters);
    if (ende == Ende::Voll) {
        m_view.runEnded(false);
        reportDiskNearlyFull(ausgabe.groesse(), ausgabe.log().discards());
    }
}

void Generator::meldeGefunden()
{
    showCount();
    m_view.runEnded(true);
    m_view.showMessage(QCoreApplication::translate("Generator", "Zeichenfolge wurde gefunden!"), MsgBox::Information,
                       QCoreApplication::translate("Generator", "Gefunden!"));
}

bool Generator::zwischenstand(quint64 now, quint64 &lastShown)
{
    // A screen shows a new picture every 16 ms or so; a caption changed more
    // often costs paints that nobody sees.
    if (now - lastShown >= FrameInterval) {
        lastShown = now;
        showCount();
    }
    m_view.processPendingEvents();
    if (laufend)
        return true;
    showCount(); // the count the stop came at, which the log holds
    return false;
}

template <typename Source>
Generator::Ende Generator::insLog(Source &random, Ausgabe &ausgabe, Verfolgung &verfolgung, qint64 vorher)
{
    constexpr bool eigener = std::is_same_v<Source, TimerRandom::Draws>;
    OutputFile &log = ausgabe.log();
    Aufzeichner &record = ausgabe.aufzeichnung();
    Verfolgung target = verfolgung; // a copy, kept in registers
    // Anzahl is brought up to date wherever anybody can look: at every
    // yield and at the end. Each letter is a line of three bytes, so the
    // log counts them, written or not, and the letter's road has no
    // counter of its own.
    const auto inRun = [&log] { return quint64(log.size() / Logzeile::Laenge); };
    // Both in registers: nothing the loop stores can be taken to touch them.
    const quint64 yieldInterval = m_yieldInterval;
    quint64 lastYield = random.timer(), lastShown = lastYield;
    // The clock reading whose key the record's open stretch has.
    quint64 stretchReading = NoReading;
    OutputFile::Room room = log.take();
    // Everything up to here given back to the log, counted and on disk.
    const auto sichern = [&] {
        log.giveBack(room.next);
        ausgabe.sichern(inRun());
        stretchReading = NoReading;
        Anzahl += vorher + qint64(inRun()) - Anzahl.whole();
        m_naehe = target.naehe;
    };
    const auto ende = [&](Ende wie) {
        verfolgung = target;
        return wie;
    };
    // With the real clock a second typist joins once the run has filled a
    // buffer, and every fresh buffer first takes a block of its letters
    // where one is ready; the run never waits for it. A test's clock is
    // read by the run alone.
    std::unique_ptr<Vortipper> second;
    const auto takeFromTheSecond = [&](const Vortipper::Block &block) {
        static_assert(3 * Vortipper::BlockLetters <= OutputFile::BufferSize);
        log.giveBack(room.next);
        const quint64 start = inRun();
        const int taken = target.uebernehmen(block, vorher + qint64(start));
        // A log that goes nowhere needs no bytes, only their count.
        if (!log.discards())
            std::memcpy(room.next, block.letters, size_t(3 * taken));
        room.next += 3 * taken;
        for (const Aufzeichnung::Strecke &strecke : block.strecken) {
            if (strecke.erstes >= quint64(taken))
                break;
            record.beginne(start + strecke.erstes, strecke.schluessel, strecke.zaehler);
        }
        stretchReading = NoReading;
        second->taken();
    };

    switch (ausgabe.platz(inRun())) {
    case Ausgabe::Platz::Voll:
        return ende(Ende::Voll);
    case Ausgabe::Platz::NurAufzeichnung:
        m_zeichenImLog = ausgabe.imLog();
        meldeNurNochAufzeichnung(ausgabe.imLog());
        return ende(Ende::NurAufzeichnung);
    case Ausgabe::Platz::Genug:
        break;
    }
    for (;;) {
        if (target.gefunden()) {
            sichern(); // the whole run is on disk while the box is up
            return ende(Ende::Gefunden);
        }
        if (Q_UNLIKELY(room.end - room.next < 3)) {
            room = log.passOn(room.next);
            if constexpr (eigener) {
                if (const Vortipper::Block *block = second ? second->ready() : nullptr) {
                    takeFromTheSecond(*block);
                    if (target.gefunden())
                        continue; // told before another letter comes
                } else if (!second && random.readsTheClock()) {
                    second = std::make_unique<Vortipper>([random = TimerRandom::Draws(nullptr, TimerRandom::freshKey()),
                                                          step = target.schritt](Vortipper::Block &block) mutable {
                        blockTippen(random, step, block, [](auto &r, char *line) { return tippen(r, line); });
                    });
                }
            }
        }
        // The letter put at room.next: the room moves on, the target is followed.
        const char16_t letter = tippen(random, room.next);
        room.next += 3;
        if (Q_UNLIKELY(target.folgen(letter))) {
            log.giveBack(room.next);
            target.naehe.nachZeichen = vorher + qint64(inRun());
        }

        const quint64 now = random.timer();
        if constexpr (eigener) {
            // A new reading has changed the key: a new stretch.
            if (Q_UNLIKELY(now != stretchReading)) {
                stretchReading = now;
                log.giveBack(room.next);
                record.beginne(inRun() - 1, random.key(), random.counter() - RandomGenerator::Increment);
            }
        }
        // Handlers and paints only ever run in here, so doing this every few
        // milliseconds instead of every letter looks the same to all of them;
        // and only in here can laufend be cleared.
        if (Q_UNLIKELY(now - lastYield >= yieldInterval)) {
            lastYield = now;
            sichern();
            const Ausgabe::Platz platz = ausgabe.platz(inRun());
            if (platz != Ausgabe::Platz::Genug) {
                m_zeichenImLog = ausgabe.imLog();
                showCount();
                if (platz == Ausgabe::Platz::NurAufzeichnung)
                    meldeNurNochAufzeichnung(ausgabe.imLog());
                return ende(platz == Ausgabe::Platz::Voll ? Ende::Voll : Ende::NurAufzeichnung);
            }
            bool weiter = true;
            withGeneratorWhole(random, [&] { weiter = zwischenstand(now, lastShown); });
            if (!weiter)
                return ende(Ende::Angehalten);
            room = log.take();
        }
    }
}

Generator::Ende Generator::inAufzeichnung(Ausgabe &ausgabe, Verfolgung &verfolgung, qint64 vorher, quint64 getippt)
{
    // A test's clock makes the same letters from the same key every time.
    const TimerRandom::Draws &eigener = m_timerRandom->draws();
    const int kerne = m_kerne > 0 ? m_kerne : eigener.readsTheClock() ? Suchlauf::kerne() : 1;
    const QByteArray ziel = m_ziel.toLatin1();
    Suchlauf suche(*verfolgung.schritt.owner, std::string(ziel.constData(), size_t(ziel.size())),
                   {getippt, verfolgung.zustand, verfolgung.naehe}, ausgabe.aufzeichnung(), eigener.clock(), kerne,
                   eigener.readsTheClock() ? 0 : eigener.key());
    const auto zaehlen = [&] {
        Anzahl += vorher + qint64(suche.zeichen()) - Anzahl.whole();
        m_naehe = verfolgung.naehe = suche.naehe();
    };
    const auto yieldInterval = std::chrono::nanoseconds(m_yieldInterval);
    quint64 lastShown = CoarseClock::now();
    for (auto naechstes = std::chrono::steady_clock::now();; ) {
        suche.warten(naechstes += yieldInterval);
        zaehlen();
        ausgabe.sichern(suche.zeichen());
        if (suche.gefunden())
            return Ende::Gefunden;
        if (ausgabe.platz(suche.zeichen()) == Ausgabe::Platz::Voll) {
            suche.anhalten();
            showCount();
            return Ende::Voll;
        }
        if (!zwischenstand(CoarseClock::now(), lastShown)) {
            suche.anhalten();
            return Ende::Angehalten;
        }
        naechstes = std::max(naechstes, std::chrono::steady_clock::now());
    }
}

double Generator::measureLettersPerSecond()
{
    TimerRandom::Draws random(nullptr, TimerRandom::freshKey()); // never the run's
    // The letters go round one buffer and nowhere else: a run's writing
    // is done on another thread.
    const auto buffer = std::make_unique_for_overwrite<char[]>(OutputFile::BufferSize);
    char *const end = buffer.get() + OutputFile::BufferSize / 3 * 3;
    char *line = buffer.get();
    // The run's own matching; the automaton goes on past a full match.
    const Abgleich abgleich(u"ZEICHENFOLGE");
    const Abgleich::Schritt step = abgleich.schritt();
    uint32_t state = step.zustand(0);
    QElapsedTimer clock;
    clock.start();
    qint64 letters = 0;
    while (clock.nsecsElapsed() < 20'000'000) {
        for (int i = 0; i < 10'000; ++i) {
            state = step(state, tippen(random, line));
            line = line + 3 == end ? buffer.get() : line + 3;
        }
        letters += 10'000;
    }
    // A state that no letters reach keeps the compiler from dropping the steps.
    return double(letters + (state == UINT32_MAX)) * 1e9 / double(clock.nsecsElapsed());
}

double Generator::measureSearchStepsPerSecond()
{
    // Eight letters that overlap nowhere.
    constexpr char Ziel[] = "ZEICHENF";
    return Suchlauf::stellenProSekunde(Ziel, std::chrono::milliseconds(20)) / Muster(Ziel).mittlererSprung();
}

void Generator::reportDiskNearlyFull(qint64 size, bool record)
{
    const QString prompt = record ? QCoreApplication::translate("Generator",
                                                                "Der Datenträger ist fast voll. Damit andere Programme ihre Dateien "
                                                                "noch speichern können, hat Dovevad aufgehört zu tippen.\n\n"
                                                                "Die Aufzeichnung enthält %1 Zeichen und belegt %2.")
                                  : QCoreApplication::translate("Generator",
                                                                "Der Datenträger ist fast voll. Damit andere Programme ihre Dateien "
                                                                "noch speichern können, hat Dovevad aufgehört zu tippen.\n\n"
                                                                "Die Logdatei enthält %1 Zeichen und belegt %2.");
    m_view.showMessage(prompt.arg(Sprache::zahlen().toString(Anzahl.whole()), groesse(quint64(size))),
                       MsgBox::Exclamation, QStringLiteral("Dovevad"));
}

void Generator::meldeNurNochAufzeichnung(qint64 inLog)
{
    m_view.showNotice(QCoreApplication::translate("Generator",
                                                  "Der Datenträger ist fast voll. Damit andere Programme ihre Dateien noch "
                                                  "speichern können, schreibt Dovevad nach Zeichen %1 nichts mehr in die "
                                                  "Logdatei.\n\nDer Lauf geht weiter: Jedes Zeichen steht in seiner "
                                                  "Aufzeichnung, die kaum Platz braucht:\n\n%2")
                          .arg(Sprache::zahlen().toString(inLog), QDir::toNativeSeparators(m_recordPath)),
                      QStringLiteral("Dovevad"));
}

void Generator::meldeAufzeichnung(qint64 inLog, qint64 letters)
{
    const QString wo = inLog == 0
        ? QCoreApplication::translate("Generator", "Die Zeichen dieses Laufs stehen nur in seiner Aufzeichnung:")
        : QCoreApplication::translate("Generator", "Die ersten %1 Zeichen dieses Laufs stehen in der Logdatei, alle %2 "
                                                   "in seiner Aufzeichnung:")
              .arg(Sprache::zahlen().toString(inLog), Sprache::zahlen().toString(letters));
    // The text goes where the user says: seldom onto the disk that had no
    // room for it.
    const QString befehl = ViewerStart::command() + QStringLiteral(" --text ") + shellQuoted(m_recordPath);
    m_view.showMessage(wo + QStringLiteral("\n\n") + QDir::toNativeSeparators(m_recordPath) + QStringLiteral("\n\n")
                           + QCoreApplication::translate("Generator", "Als Text, Zeile für Zeile wie in einer Logdatei, gibt sie "
                                                                      "dieser Befehl aus, etwa für grep oder in eine Datei auf "
                                                                      "einem Datenträger mit Platz für %1:")
                                 .arg(groesse(quint64(letters) * Logzeile::Laenge))
                           + QStringLiteral("\n\n") + befehl + QStringLiteral("\n\n")
                           + QCoreApplication::translate("Generator", "Dovevad löscht die Aufzeichnung, wenn es schließt. Um sie "
                                                                      "zu behalten, kopieren Sie sie vorher an einen anderen Ort.")
                           + QStringLiteral("\n\n") + QStringLiteral("cp ") + shellQuoted(m_recordPath) + QStringLiteral(" ~/"),
                       MsgBox::Information, QStringLiteral("Dovevad"));
}

bool Generator::DateiOeffnen(quintptr hWnd, const QString &Datei)
{
    // The desktop needs no owner window, parameters, working folder or show
    // command to open a file: the path is all that carries over.
    Q_UNUSED(hWnd);
    // Where the program's own viewer cannot start, the desktop's is asked.
    if (QFileInfo(Datei).size() > KleineLogdatei && ViewerStart::start(viewerArguments(Datei)))
        return true;
    const bool opened = Shell::open(Datei);
    if (!opened)
        meldeNichtGeoeffnet(Datei);
    return opened;
}

QStringList Generator::viewerArguments(const QString &Datei) const
{
    QStringList arguments{QStringLiteral("--ziel"), m_ziel};
    if (m_gefunden)
        arguments << QStringLiteral("--gefunden") << QString::number(Anzahl.whole());
    else
        arguments << QStringLiteral("--naehe") << QStringLiteral("%1:%2").arg(m_naehe.buchstaben).arg(m_naehe.nachZeichen);
    return arguments << QStringLiteral("--") << Datei; // a path may start with a dash
}

void Generator::meldeNichtGeoeffnet(const QString &Datei)
{
    // The viewer is how a run's letters reach the user: its failure is said.
    m_view.showMessage(QCoreApplication::translate("Generator",
                                                   "Die Logdatei konnte nicht in einem Textbetrachter geöffnet werden. "
                                                   "Sie bleibt hier erhalten:\n\n%1")
                           .arg(QDir::toNativeSeparators(Datei)),
                       MsgBox::Exclamation, QStringLiteral("Dovevad"));
}
