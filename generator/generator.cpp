#include "generator.h"

#include "abgleich.h"
#include "ansi.h"
#include "files.h"
#include "groesse.h"
#include "msgbox.h"
#include "reserve.h"
#include "runview.h"
#include "shell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocale>

#include <algorithm>

Generator::Generator(RunView &view, RandomSource *random, const QString &logPath)
    : m_view(view), m_logPath(logPath)
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
    if (Files::exists(m_logPath))
        Files::remove(m_logPath);
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

template <typename Source, typename Call>
void Generator::withGeneratorWhole(Source &random, Call &&call)
{
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
    const QString &Datei = m_logPath;
    OutputFile log;
    log.open(Datei);

    // The target is read once: the window keeps it from changing during a run.
    const QString target = m_view.targetText().toUpper();
    const Abgleich abgleich(std::u16string_view(reinterpret_cast<const char16_t *>(target.utf16()), size_t(target.size())));
    const Abgleich::Schritt step = abgleich.schritt();
    const uint32_t found = step.zustand(abgleich.laenge());
    uint32_t state = step.zustand(0), closest = state;
    Naehe naehe;
    quint64 lastYield = random.timer();
    bool diskNearlyFull = Reserve::eatenInto(log.space());

    while (!diskNearlyFull) {
        if (state == found) {
            log.flush(); // the whole run is on disk while the box is up
            m_naehe = naehe;
            showCount();
            withGeneratorWhole(random, [this] {
                m_view.showMessage(QStringLiteral("Zeichenfolge wurde gefunden!"), MsgBox::Information,
                                   QStringLiteral("Gefunden!"));
            });
            break;
        }
        // The letter is taken out of its value, so that the value never
        // leaves registers.
        const QChar Zeichen = Zufallszeichen(random).stringView().front();
        log.printLine(QStringView(&Zeichen, 1));
        state = step(state, Zeichen.unicode());
        Anzahl += 1;
        if (Q_UNLIKELY(state > closest)) {
            closest = state;
            naehe = {step.buchstaben(state), Anzahl.whole()};
        }

        // Handlers and paints only ever run in here, so doing this every few
        // milliseconds instead of every letter looks the same to all of them.
        const quint64 now = random.timer();
        if (now - lastYield >= m_yieldInterval) {
            lastYield = now;
            log.flush(); // the count shown is on disk, whatever fails later
            m_naehe = naehe;
            showCount();
            diskNearlyFull = Reserve::eatenInto(log.space());
            if (diskNearlyFull)
                break;
            withGeneratorWhole(random, [this] { m_view.processPendingEvents(); });
        }
        if (!laufend)
            break; // only a processing clears it, and the caption was just set
    }
    m_naehe = naehe;
    withGeneratorWhole(random, [] {}); // hands the run's state back for good
    if (diskNearlyFull)
        m_view.endRun();
    log.close();
    DateiOeffnen(m_view.nativeHandle(), Datei);
    if (diskNearlyFull)
        reportDiskNearlyFull(log.size());
}

double Generator::measureLettersPerSecond()
{
    OutputFile sink;
    sink.open(QStringLiteral("/dev/null"));
    // The run's own matching; the automaton goes on past a full match.
    const Abgleich abgleich(u"ZEICHENFOLGE");
    const Abgleich::Schritt step = abgleich.schritt();
    uint32_t state = step.zustand(0);
    QElapsedTimer clock;
    clock.start();
    qint64 letters = 0;
    while (clock.nsecsElapsed() < 20'000'000) {
        for (int i = 0; i < 10'000; ++i) {
            const Variant Zeichen = Zufallszeichen();
            sink.printLine(Zeichen.stringView());
            state = step(state, Zeichen.stringView().front().unicode());
        }
        letters += 10'000;
    }
    return double(letters) * 1e9 / double(clock.nsecsElapsed());
}

void Generator::reportDiskNearlyFull(qint64 logSize)
{
    m_view.showMessage(QStringLiteral("Der Datenträger ist fast voll. Damit andere Programme ihre Dateien "
                                      "noch speichern können, hat Dovevad aufgehört zu tippen.\n\n"
                                      "Die Logdatei enthält %1 Zeichen und belegt %2.")
                           .arg(QLocale(QLocale::German).toString(Anzahl.whole()), groesse(quint64(logSize))),
                       MsgBox::Exclamation, QStringLiteral("Dovevad"));
}

bool Generator::DateiOeffnen(quintptr hWnd, const QString &Datei)
{
    // The desktop needs no owner window, parameters, working folder or show
    // command to open a file: the path is all that carries over.
    Q_UNUSED(hWnd);
    const bool opened = Shell::open(Datei);
    if (!opened)
        meldeNichtGeoeffnet(Datei);
    return opened;
}

void Generator::meldeNichtGeoeffnet(const QString &Datei)
{
    // The viewer is how a run's letters reach the user: its failure is said.
    m_view.showMessage(QStringLiteral("Die Logdatei konnte nicht in einem Textbetrachter geöffnet werden. "
                                      "Sie bleibt hier erhalten:\n\n%1")
                           .arg(QDir::toNativeSeparators(Datei)),
                       MsgBox::Exclamation, QStringLiteral("Dovevad"));
}
