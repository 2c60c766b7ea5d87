#pragma once

#include "form1.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

// A run that never ends (a match never reported, a stop never seen) is
// stopped past this many letters (1.2 GB; a test's longest run, of 300 ms,
// takes a third of that at 1.3·10^9 letters a second) and fails the test,
// within seconds and before it fills the disk.
inline void capLetters(qint64 cap = 400'000'000)
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
