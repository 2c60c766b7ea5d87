#pragma once

#include "betrachteraufruf.h"
#include "richtung.h"

#include <QMainWindow>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

class Ablage;
class Buchstabendiagramm;
class LogAnsicht;
class Logdatei;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The log viewer's window: the log's letters, what the run came to and
// what is wrong with the file, going to any letter, finding letters and the
// letters' counts. Whatever reads the whole log runs on a thread of its
// own, and the window answers all the while. Copying and saving are the
// Ablage's, opening other files the Oeffner's.
class Logbetrachter : public QMainWindow
{
    Q_OBJECT

public:
    // What the run that wrote the log came to, as Dovevad hands it over.
    using Ausgang = Betrachteraufruf::Ausgang;

    explicit Logbetrachter(const QString &path, const Ausgang &ausgang, QWidget *parent = nullptr);
    ~Logbetrachter() override;

    // Where the file could not be opened, why, in German; else empty.
    QString fehler() const;
    // Shows another log or record in a window of its own, or says why not.
    static void zeigen(const QString &path);
    // Tells the user that the desktop did not show the file or folder.
    void meldeNichtGeoeffnet(const QString &path);

    void suchen(Richtung richtung);

private:
    void benennen();
    void anordnen();
    void verbinden();
    void oeffnen();
    void menuesAnlegen();
    void titelSetzen();
    void pruefen();
    void fortschrittZeigen();
    void ausgangMarkieren();
    void befundMelden();
    void gehezuEingabe();
    void sucheFertig(quint64 nummer, quint64 platz, const QByteArray &buchstaben, Richtung richtung, qint64 ab);
    void abbrechen();
    void zaehlen();
    void melden(const QString &text);

    LogAnsicht *m_ansicht;
    QLineEdit *m_gehezu;
    QLineEdit *m_suchtext;
    QPushButton *m_zurueck;
    QPushButton *m_weiter;
    QProgressBar *m_suchFortschritt;
    QPushButton *m_abbrechen;
    QLabel *m_ausgangText;
    Buchstabendiagramm *m_diagramm;
    QLabel *m_urteil; // whether the spread is chance, in words
    QProgressBar *m_zaehlFortschritt;
    QLabel *m_meldung;
    Ablage *m_ablage;

    QString m_befundGemeldet;
    const QString m_path;
    const Ausgang m_ausgang;
    std::shared_ptr<Logdatei> m_datei;
    QTimer m_blick; // looks at the file and the work in the background
    std::atomic<qint64> m_sucheGeschafft = 0;
    qint64 m_sucheGesamt = 0;
    quint64 m_sucheNummer = 0; // the search whose answer counts
    std::atomic<qint64> m_zaehlGeschafft = 0;
    quint64 m_zaehlNummer = 0;
    // Last, so that they are stopped and joined before anything they use goes.
    std::jthread m_suche;
    std::jthread m_zaehlung;
};
