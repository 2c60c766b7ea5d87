#include "oeffner.h"

#include "msgbox.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>

Oeffner::Oeffner(QWidget *fenster, const QString &path)
    : QObject(fenster), m_fenster(fenster), m_path(path), m_aktion(new QAction(tr("Ö&ffnen …"), this))
{
    m_aktion->setObjectName(QStringLiteral("oeffnenAndere"));
    m_aktion->setShortcut(QKeySequence::Open);
    connect(m_aktion, &QAction::triggered, this, &Oeffner::fragen);
    fenster->setAcceptDrops(true);
    fenster->installEventFilter(this);
}

void Oeffner::fragen()
{
    const QString path = QFileDialog::getOpenFileName(m_fenster, tr("Logdatei oder Aufzeichnung öffnen"), QFileInfo(m_path).path(),
                                                      tr("Logdateien und Aufzeichnungen von Dovevad (*.txt *.dovrec);;Alle Dateien (*)"));
    if (!path.isEmpty())
        emit gewaehlt(path);
}

bool Oeffner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_fenster || (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop))
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    if (!drop->mimeData()->hasUrls())
        return false;
    if (event->type() == QEvent::Drop)
        for (const QUrl &url : drop->mimeData()->urls())
            if (url.isLocalFile())
                emit gewaehlt(url.toLocalFile());
    drop->acceptProposedAction();
    return true;
}

void Oeffner::nichtZuZeigen(const QString &path, const QString &fehler)
{
    MsgBox::show(nullptr, tr("Die Logdatei lässt sich nicht zeigen:\n\n%1\n\n%2").arg(QDir::toNativeSeparators(path), fehler),
                 MsgBox::Critical, tr("Dovevad-Logbetrachter"));
}
