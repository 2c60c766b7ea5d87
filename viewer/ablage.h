#pragma once

#include "speicherung.h"

#include <QObject>

#include <memory>

class LogAnsicht;
class Logdatei;
class QAction;
class QWidget;

// The rows selected, to the clipboard or into a file, and a copy of the
// record itself: the actions for the menus and the view's own menu, their
// dialogs, and what they say.
class Ablage : public QObject
{
    Q_OBJECT

public:
    // Saves from and asks over fenster.
    Ablage(LogAnsicht *ansicht, QWidget *fenster);

    void setDatei(std::shared_ptr<const Logdatei> datei);
    QList<QAction *> fuerDatei() const;
    QList<QAction *> fuerBearbeiten() const;

    // The selected rows to the clipboard: their letters, or each with its number.
    void kopieren(bool mitNummern);
    // Writes the letters von to bis as the log's text into ziel; whether all
    // of them got there.
    bool speichern(qint64 von, qint64 bis, const QString &ziel);
    // Copies the record, as the file that is open holds it, into ziel;
    // whether all of it got there. It needs no file under the record's name.
    bool aufzeichnungSpeichern(const QString &ziel);

signals:
    void melden(const QString &text);
    // A save reached ziel, which may be the file shown.
    void gespeichert(const QString &ziel);

private:
    void speichernFragen();
    void aufzeichnungSpeichernFragen();
    bool schreiben(const QString &ziel, qint64 groesse, const Speicherung::Quelle &quelle, const QString &was);

    LogAnsicht *m_ansicht;
    QWidget *m_fenster;
    Speicherung *m_speicherung;
    QAction *m_kopieren;
    QAction *m_mitNummern;
    QAction *m_speichern;
    QAction *m_aufzeichnung;
    std::shared_ptr<const Logdatei> m_datei;
};
