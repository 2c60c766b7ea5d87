#include "generator.h"

#include "ansi.h"
#include "auskunft.h"
#include "files.h"
#include "msgbox.h"
#include "runview.h"
#include "shell.h"
#include "verlauf.h"

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

    Verlauf verlauf;
    QString target = m_view.targetText().toUpper();
    verlauf.keepAtLeast(target.size());
    quint64 lastYield = random.timer();
    bool diskNearlyFull = eatsIntoReserve(log.space());

    while (!diskNearlyFull) {
        if (verlauf.endsWith(target)) {
            log.flush(); // the whole run is on disk while the box is up
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
        verlauf.append(Zeichen.unicode());
        Anzahl += 1;

        // Handlers and paints only ever run in here, so doing this every few
        // milliseconds instead of every letter looks the same to all of them.
        const quint64 now = random.timer();
        if (now - lastYield >= m_yieldInterval) {
            lastYield = now;
            log.flush(); // the count shown is on disk, whatever fails later
            showCount();
            diskNearlyFull = eatsIntoReserve(log.space());
            if (diskNearlyFull)
                break;
            target = m_view.targetText().toUpper();
            verlauf.keepAtLeast(target.size());
            withGeneratorWhole(random, [this] { m_view.processPendingEvents(); });
        }
        if (!laufend)
            break; // only a processing clears it, and the caption was just set
    }
    withGeneratorWhole(random, [] {}); // hands the run's state back for good
    if (diskNearlyFull)
        m_view.endRun();
    log.close();
    DateiOeffnen(m_view.nativeHandle(), Datei);
    if (diskNearlyFull)
        reportDiskNearlyFull(log.size());
}

quint64 Generator::roomBeforeReserve(const OutputFile::Space &space)
{
    const quint64 kept = std::min(space.total / 100 * 15, MaximumReserve) + CheckSpan;
    return space.available > kept ? space.available - kept : 0;
}

bool Generator::eatsIntoReserve(const OutputFile::Space &space)
{
    return roomBeforeReserve(space) == 0;
}

double Generator::measureLettersPerSecond()
{
    OutputFile sink;
    sink.open(QStringLiteral("/dev/null"));
    Verlauf verlauf;
    QElapsedTimer clock;
    clock.start();
    qint64 letters = 0;
    while (clock.nsecsElapsed() < 20'000'000) {
        for (int i = 0; i < 10'000; ++i) {
            const Variant Zeichen = Zufallszeichen();
            sink.printLine(Zeichen.stringView());
            verlauf.append(Zeichen.stringView().front().unicode());
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
                           .arg(QLocale(QLocale::German).toString(Anzahl.whole()), Auskunft::groesse(logSize)),
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
