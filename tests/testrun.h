#pragma once

#include "generator.h"
#include "runview.h"

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

// A run without a window: records what the run shows and lets a test act
// where the window would process its events.
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
    int yields = 0;
    std::function<void()> onYield;

    QString targetText() const override { return target; }
    void showCount(const QString &caption) override { captions.append(caption); }
    quintptr nativeHandle() const override { return 0; }
    void showMessage(const QString &prompt, int style, const QString &title) override
    {
        messages.append(QStringLiteral("%1|%2|%3").arg(prompt).arg(style).arg(title));
        logSizes.append(QFileInfo(logPath()).size());
    }
    void endRun() override { laufend = false; }
    QList<bool> ends; // found, or the disk full
    void runEnded(bool found) override { ends.append(found); }
    QStringList notices;
    void showNotice(const QString &prompt, const QString &title) override { notices.append(title + u'|' + prompt); }
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
};
