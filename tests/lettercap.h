#pragma once

#include "form1.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

// A run that never ends (a match never reported, a stop never seen) is
// stopped past this many letters (300 MB; a test's longest run takes a
// third of that at the fastest) and fails the test, within seconds and
// before it fills the disk.
inline void capLetters(qint64 cap = 100'000'000)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [cap] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *window = qobject_cast<Form1 *>(widget);
            // A compact run puts a clock tick's letters together at once.
            if (window && window->laufend && window->Anzahl.whole() > (window->kompakt() ? 1000 * cap : cap)) {
                window->laufend = false;
                QTest::qFail("a run went past the tests' letter cap", __FILE__, __LINE__);
            }
        }
    });
    poll->start(10);
}
