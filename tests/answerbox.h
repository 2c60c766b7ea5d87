#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Answers the next message box: records "title|icon|text", runs whileOpen,
// then presses OK.
inline QTimer *answerNextBox(QString *record, std::function<void()> whileOpen = {})
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->deleteLater();
        poll->stop();
        *record = QStringLiteral("%1|%2|%3").arg(box->windowTitle()).arg(box->icon()).arg(box->text());
        if (whileOpen)
            whileOpen();
        box->accept();
    });
    poll->start(5);
    return poll;
}
