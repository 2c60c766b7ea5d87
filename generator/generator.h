#pragma once

#include "ansi.h"
#include "currency.h"
#include "laufende.h"
#include "logzeile.h"
#include "naehe.h"
#include "timerrandom.h"
#include "variant.h"

#include <QString>
#include <QtGlobal>

#include <cmath>
#include <limits>
#include <memory>

class Ausgabe;
class Karte;
class RunView;
struct Verfolgung;

// The run: random letters and the run loop, its letters into the log and
// its record. The window inherits it and provides the RunView through
// which the run reaches it.
class Generator
{
public:
    explicit Generator(RunView &view, RandomSource *random = nullptr, const QString &logPath = chooseLogPath());
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

    // The graphics card that compact runs type on beside the cores, with
    // the windows a second its search moves (a target's places a second
    // are these times its mean skip); none, and why, where there is none.
    // A card that fails in a run is let go, and why is said here.
    void setKarte(std::shared_ptr<Karte> karte, double schritteProSekunde, const QString &warum = {});
    const Karte *karte() const { return m_karte.get(); }
    double kartenSchritte() const { return m_kartenSchritte; }
    const QString &ohneKarte() const { return m_ohneKarte; }

    // The most letters of the target, from its start, that the current or
    // last run has typed in a row, and after how many letters it first did.
    const Naehe &naehe() const { return m_naehe; }
    // The letters of the current or last run that are in its log, where
    // the rest are in its record only; else -1.
    qint64 zeichenImLog() const { return m_zeichenImLog; }

protected:
    // Types letters into the log until the latest spell the target or
    // laufend is cleared, then tells the window what came of it.
    void Generieren();
    // Removes a log left by an earlier run, whatever stands under its name.
    void LogdateiLoeschen();

    // How long the run goes between two processings of pending events.
    void setYieldInterval(quint64 nanoseconds) { m_yieldInterval = nanoseconds; }
    // Typists of a compact run; 0: as many as Tipprunde::kerne() says, or
    // one for a test's clock, which need not be safe to read from two threads.
    void setKerne(int kerne) { m_kerne = kerne; }

private:
    // The two loops of a run: every letter into the log, and the letters
    // into the record alone, searched for on every core.
    template <typename Source>
    class Textlauf;
    class Kompaktlauf;

    // The one definition of each, from a given source: the program's own
    // clock-driven one by its type, so that its calls inline, and in a run
    // a copy of it that the compiler keeps in registers.
    template <typename Source>
    static Variant Zufallszahl(Source &random, const Variant &min, const Variant &max);
    template <typename Source>
    static Variant Zufallszeichen(Source &random);

    template <typename Source>
    void generieren(Source random);
    // How a loop of the run ended; a run that ended in the log goes on in
    // the record alone.
    using Wie = Laufende::Wie;
    enum class Ende { Gefunden, Angehalten, NurAufzeichnung, Voll, Grenze };
    void beenden(Ende ende, Ausgabe &ausgabe, qint64 vorher);
    // At a yield: the count shown, the events handled; whether the run goes on.
    bool zwischenstand(quint64 now);
    void showCount();

    RunView &m_view;
    Naehe m_naehe;
    qint64 m_zeichenImLog = -1;
    // The target of the last run, in capitals.
    QString m_ziel;
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
    quint64 m_lastShown = 0;
    int m_kerne = 0;
    std::shared_ptr<Karte> m_karte;
    double m_kartenSchritte = 0;
    QString m_ohneKarte;
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
