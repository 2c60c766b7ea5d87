#pragma once

#include "generator.h"
#include "runview.h"
#include "uebergabe.h"

#include <QFileInfo>
#include <QStringList>
#include <QTest>

#include <functional>

// What a plain reading of a run's letters says of its closest match: the
// longest start of the target that occurs, and where it first ends.
inline Naehe naeheImText(const QByteArray &letters, const QByteArray &ziel)
{
    Naehe naehe;
    for (qsizetype at; naehe.buchstaben < ziel.size() && (at = letters.indexOf(ziel.left(naehe.buchstaben + 1))) >= 0;)
        naehe.nachZeichen = at + ++naehe.buchstaben;
    return naehe;
}

// A run without a window: records what the run shows, with the words and
// the hand-over the window gives it, and lets a test act where the window
// would process its events.
class TestRun : public RunView, public Generator
{
public:
    explicit TestRun(RandomSource *random) : Generator(static_cast<RunView &>(*this), random) {}

    using Generator::Generieren;
    using Generator::LogdateiLoeschen;
    using Generator::setYieldInterval;
    using Generator::setKerne;

    static constexpr qint64 LetterCap = 5'000'000;
    QString target;
    QStringList captions;
    QStringList messages;
    QList<qint64> logSizes; // of the log as each message appeared
    QStringList notices;
    QList<bool> ends; // found, or the disk full
    int yields = 0;
    std::function<void()> onYield;
    // What the run came to, as the window is told.
    Laufende ende;

    QString targetText() const override { return target; }
    void showCount(const QString &caption) override { captions.append(caption); }
    void found() override
    {
        ends.append(true);
        m_uebergabe.gefunden();
    }
    void recordOnly(qint64 inLog, const QString &recordPath) override { m_uebergabe.nurNochAufzeichnung(inLog, recordPath); }
    void endRun() override { laufend = false; }
    void finished(const Laufende &ende) override
    {
        this->ende = ende;
        m_uebergabe.uebergeben(0, ende);
        if (ende.wie == Laufende::Wie::Voll || ende.wie == Laufende::Wie::Grenze) {
            ends.append(false);
            m_uebergabe.meldeVoll(ende);
        }
    }
    void processPendingEvents() override
    {
        // A run that never ends fails the test at once, not once the disk is
        // full; a compact run puts together a clock tick's letters at once.
        if (Anzahl.whole() > (kompakt() ? 1000 * LetterCap : LetterCap)) {
            QTest::qFail("the run went past the tests' letter cap", __FILE__, __LINE__);
            laufend = false;
            return;
        }
        ++yields;
        if (onYield)
            onYield();
    }

private:
    Uebergabe m_uebergabe{[this](const QString &prompt, int style, const QString &title) {
                              messages.append(QStringLiteral("%1|%2|%3").arg(prompt).arg(style).arg(title));
                              logSizes.append(QFileInfo(logPath()).size());
                          },
                          [this](const QString &prompt, const QString &title) { notices.append(title + u'|' + prompt); }};
};
