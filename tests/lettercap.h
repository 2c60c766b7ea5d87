#pragma once

#include "form1.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

// A run that never ends (a match never reported, a stop never seen) is
// stopped past this many letters and fails the test, within a second and
// before it fills the disk.
inline void capLetters(qint64 cap = 20'000'000)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [cap] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *window = qobject_cast<Form1 *>(widget);
            if (window && window->laufend && window->Anzahl.whole() > cap) {
                window->laufend = false;
                QTest::qFail("a run went past the tests' letter cap", __FILE__, __LINE__);
            }
        }
    });
    poll->start(10);
}
