#pragma once

#include "abgleich.h"
#include "ansi.h"
#include "currency.h"
#include "logzeile.h"
#include "naehe.h"
#include "outputfile.h"
#include "timerrandom.h"
#include "variant.h"
#include "verfolgung.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cmath>
#include <limits>
#include <memory>

class Ausgabe;
class RunView;

// The logic of a run: random letters, the run loop, the log and the
// cleaning of the target. The window inherits it and provides the RunView
// through which the run reaches it.
class Generator
{
public:
    explicit Generator(RunView &view, RandomSource *random = nullptr,
                       const QString &logPath = chooseLogPath());
    virtual ~Generator();
    Generator(const Generator &) = delete;
    Generator &operator=(const Generator &) = delete;

    // Letters of the current or the last run.
    Currency Anzahl;
    // True from a start until a stop; a run goes on while it is set.
    bool laufend = false;

    Variant Zufallszahl(const Variant &min, const Variant &max)
    {
        return m_timerRandom ? Zufallszahl(m_timerRandom->draws(), min, max) : Zufallszahl(*m_random, min, max);
    }
    Variant Zufallszeichen()
    {
        return m_timerRandom ? Zufallszeichen(m_timerRandom->draws()) : Zufallszeichen(*m_random);
    }
    static QString Stringbereinigen(const QString &Zeile);

    // Where the log lives, decided once as the program starts: beside a
    // program run from a folder of its own (the build folder, a copy) where
    // the user may write there; for an installed program, whoever runs it,
    // and where the folder is read-only, in the user's data folder.
    static QString chooseLogPath();
    const QString &logPath() const { return m_logPath; }
    // The run's record, beside the log: every letter, in little room.
    const QString &recordPath() const { return m_recordPath; }
    static QString recordPathFor(const QString &logPath);
    // Runs write their record alone, and no text into the log.
    void setKompakt(bool kompakt) { m_kompakt = kompakt; }
    bool kompakt() const { return m_kompakt; }

    // Letters per second of a run on this machine, from the run's own steps
    // for 20 ms, the letters going nowhere: an estimate before the first run.
    // It draws from a generator of its own, so any thread may measure.
    static double measureLettersPerSecond();
    // A compact run's search on one core for 20 ms: the windows it moves a
    // second, each by a target's mean skip (Muster::mittlererSprung).
    static double measureSearchStepsPerSecond();

    // The most letters of the target, from its start, that the current or
    // last run has typed in a row, and after how many letters it first did.
    using Naehe = ::Naehe;
    const Naehe &naehe() const { return m_naehe; }
    // The letters of the current or last run that are in its log, where
    // the rest are in its record only; else -1.
    qint64 zeichenImLog() const { return m_zeichenImLog; }

    // Tells the user that the log could not be shown, and where it is.
    void meldeNichtGeoeffnet(const QString &Datei);

    // Up to this size (100.000 letters) the desktop's text editors show a
    // log within a second or two; a larger one goes to the program's own
    // viewer, which shows a log of any size at once.
    static constexpr qint64 KleineLogdatei = 300'000;
    // What the program's viewer is told of the last run: the target, and
    // where the found target or the closest match ends.
    QStringList viewerArguments(const QString &Datei) const;

protected:
    // Types letters into the log until the latest spell the target or
    // laufend is cleared, then hands the log to the desktop.
    void Generieren();
    bool DateiOeffnen(quintptr hWnd, const QString &Datei);
    // Removes a log left by an earlier run, whatever stands under its name.
    void LogdateiLoeschen();

    // How long the run goes between two processings of pending events.
    void setYieldInterval(quint64 nanoseconds) { m_yieldInterval = nanoseconds; }
    // Typists of a compact run; 0: as many as Suchlauf::kerne() says, or
    // one for a test's clock, which need not be safe to read from two threads.
    void setKerne(int kerne) { m_kerne = kerne; }

private:
    // The one definition of each, from a given source: the program's own
    // clock-driven one by its type, so that its calls inline, and in a run
    // a copy of it that the compiler keeps in registers.
    template <typename Source>
    static Variant Zufallszahl(Source &random, const Variant &min, const Variant &max);
    template <typename Source>
    static Variant Zufallszeichen(Source &random);
    // A letter typed as a line of the log, its three bytes at line: the
    // one road of every letter of a run with a log.
    template <typename Source>
    static char16_t tippen(Source &random, char *line);

    // How a run ended.
    enum class Ende { Gefunden, Angehalten, NurAufzeichnung, Voll };
    template <typename Source>
    void generieren(Source random);
    // The letters one by one into the log, the target followed through
    // them, until it is found, a stop, or the disk's reserve. The run began
    // at Anzahl vorher.
    template <typename Source>
    Ende insLog(Source &random, Ausgabe &ausgabe, Verfolgung &verfolgung, qint64 vorher);
    // The letters into the record alone, searched for on every core, after
    // the getippt letters that the log took.
    Ende inAufzeichnung(Ausgabe &ausgabe, Verfolgung &verfolgung, qint64 vorher, quint64 getippt);
    // At a yield: the count shown, the events handled; whether the run goes on.
    bool zwischenstand(quint64 now, quint64 &lastShown);
    // Calls the view with the program's generator up to date, as handlers
    // that run in there may draw from it.
    template <typename Source, typename Call>
    void withGeneratorWhole(Source &random, Call &&call);
    void meldeGefunden();

    void showCount();
    void reportDiskNearlyFull(qint64 size, bool record);
    // Tells the user, without halting the run, that the letters after
    // inLog are in the record only.
    void meldeNurNochAufzeichnung(qint64 inLog);
    // Where the run's letters after inLog are, and how they become text,
    // where the viewer cannot show them.
    void meldeAufzeichnung(qint64 inLog, qint64 letters);

    RunView &m_view;
    Naehe m_naehe;
    qint64 m_zeichenImLog = -1;
    // The target of the last run, in capitals, and whether it was found.
    QString m_ziel;
    bool m_gefunden = false;
    const QString m_logPath;
    const QString m_recordPath;
    bool m_kompakt = false;
    std::unique_ptr<RandomSource> m_ownRandom;
    RandomSource *m_random;
    TimerRandom *m_timerRandom; // m_random, where it is one
    // Long enough to be worth an event round trip and a repaint, short
    // enough that the window reacts at once and the counter keeps moving.
    quint64 m_yieldInterval = 4'000'000;
    static constexpr quint64 FrameInterval = 16'000'000;
    int m_kerne = 0;
};

namespace GeneratorDetail {

// The largest whole number not above the value: as a 32-bit integer where
// it fits, which later conversions take for free, else as a double.
inline Variant wholeNumberOf(double value)
{
    if (Q_LIKELY(value >= 0 && value < 0x1.0p31))
        return Variant(qint32(value)); // truncation is the floor here
    if (std::fabs(value) < 0x1.0p31) {
        const qint32 truncated = qint32(value);
        return Variant(qint32(truncated - (double(truncated) > value)));
    }
    return Variant(std::floor(value));
}

inline Variant wholeNumberOf(qint64 value)
{
    if (Q_LIKELY(value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max()))
        return Variant(qint32(value));
    return Variant(double(value));
}

} // namespace GeneratorDetail

template <typename Source>
Q_ALWAYS_INLINE Variant Generator::Zufallszahl(Source &random, const Variant &min, const Variant &max)
{
    // A draw that is a whole number of 2^-24 between whole-number bounds:
    // min + (max - min + 1) * r, worked out exactly in integers, which is
    // what double precision gives wherever it is exact. The compiler then
    // knows the range of a letter's code and drops every check on it.
    if constexpr (requires { random.rnd24(); }) {
        if (min.isWholeNumber() && max.isWholeNumber()) {
            const qint64 low = min.wholeNumber();
            const qint64 width = max.wholeNumber() - low + 1; // below 2^33 in size
            random.randomize();
            return GeneratorDetail::wholeNumberOf(RandomGenerator::between(low, width, random.rnd24()));
        }
    }
    // The bounds are read before the clock, so that the compiler sees them
    // whole and need not fetch them again after the call.
    const double low = min.toDouble();
    const double width = max.toDouble() - low + 1.0;
    random.randomize();
    const double r = random.rnd();
    // In double precision the result stays below max + 1 for every r < 1.
    return GeneratorDetail::wholeNumberOf(low + width * r);
}

template <typename Source>
Q_ALWAYS_INLINE Variant Generator::Zufallszeichen(Source &random)
{
    const Variant code = Zufallszahl(random, Variant(qint16(65)), Variant(qint16(90)));
    return Variant(Ansi::character(code.toInteger()));
}

template <typename Source>
Q_ALWAYS_INLINE char16_t Generator::tippen(Source &random, char *line)
{
    // The letter is taken out of its value, so that the value never leaves
    // registers.
    const QChar Zeichen = Zufallszeichen(random).stringView().front();
    Logzeile::schreiben(line, char(Ansi::code(Zeichen)));
    return Zeichen.unicode();
}
