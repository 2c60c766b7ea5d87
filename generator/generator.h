#pragma once

#include "currency.h"
#include "outputfile.h"
#include "variant.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class RandomSource;
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

    Variant Zufallszahl(const Variant &min, const Variant &max);
    Variant Zufallszeichen();
    static QString Stringbereinigen(const QString &Zeile);

    // Where the log lives, decided once as the program starts: beside the
    // program where the user may write there, else in the user's data
    // folder for the program, as an installed program's folder is read-only.
    static QString chooseLogPath();
    const QString &logPath() const { return m_logPath; }

    // A run leaves free the smaller of 15 % of the log's file system and
    // 4 GiB, as the system journal does, so that other programs can still
    // save their files. It checks at every yield, a few milliseconds apart,
    // in which no disk takes anywhere near CheckSpan; so it ends once the
    // next CheckSpan would eat into the reserve, and the reserve stays whole.
    static constexpr quint64 MaximumReserve = quint64(4) << 30;
    static constexpr quint64 CheckSpan = quint64(64) << 20;
    // What a run may still write on the disk before it ends.
    static quint64 roomBeforeReserve(const OutputFile::Space &space);
    static bool eatsIntoReserve(const OutputFile::Space &space);
    // Letters per second of a run on this machine, from the run's own steps
    // for 20 ms, the letters going nowhere: an estimate before the first run.
    double measureLettersPerSecond();

protected:
    // Types letters into the log until the latest spell the target or
    // laufend is cleared, then hands the log to the desktop.
    void Generieren();
    bool DateiOeffnen(quintptr hWnd, const QString &Datei);
    // Removes a log left by an earlier run, whatever stands under its name.
    void LogdateiLoeschen();

    // How long the run goes between two processings of pending events.
    void setYieldInterval(quint64 nanoseconds) { m_yieldInterval = nanoseconds; }

private:
    void showCount();
    void reportDiskNearlyFull(qint64 logSize);

    RunView &m_view;
    const QString m_logPath;
    std::unique_ptr<RandomSource> m_ownRandom;
    RandomSource *m_random;
    // Long enough to be worth an event round trip and a repaint, short
    // enough that the window reacts at once and the counter keeps moving.
    quint64 m_yieldInterval = 4'000'000;
};
