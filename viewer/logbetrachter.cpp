#include "logbetrachter.h"

#include "ablage.h"
#include "buchstabendiagramm.h"
#include "logansicht.h"
#include "logdatei.h"
#include "msgbox.h"
#include "oeffner.h"
#include "shell.h"
#include "textsuche.h"
#include "zahlen.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <utility>

namespace {

constexpr auto zahl = &Logdatei::nummer;

// The letters A to Z of a text, in capitals: all a log can hold.
QByteArray nurBuchstaben(const QString &text)
{
    QByteArray letters;
    for (const QChar c : text.toUpper())
        if (c >= u'A' && c <= u'Z')
            letters += char(c.unicode());
    return letters;
}

QLabel *beschriftung(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

// How far a progress bar goes: in thousandths, as an int holds no count of lines.
constexpr int Teile = 1000;

} // namespace

Logbetrachter::Logbetrachter(const QString &path, const Ausgang &ausgang, QWidget *parent)
    : QMainWindow(parent)
    , m_ansicht(new LogAnsicht)
    , m_gehezu(new QLineEdit)
    , m_suchtext(new QLineEdit(QString::fromLatin1(nurBuchstaben(ausgang.ziel))))
    , m_zurueck(new QPushButton(tr("&Rückwärts")))
    , m_weiter(new QPushButton(tr("&Vorwärts")))
    , m_suchFortschritt(new QProgressBar)
    , m_abbrechen(new QPushButton(tr("Abbrechen")))
    , m_ausgangText(new QLabel)
    , m_diagramm(new Buchstabendiagramm)
    , m_urteil(new QLabel)
    , m_zaehlFortschritt(new QProgressBar)
    , m_meldung(new QLabel)
    , m_ablage(new Ablage(m_ansicht, this))
    , m_path(QFileInfo(path).absoluteFilePath())
    , m_ausgang(ausgang)
{
    benennen();
    anordnen();
    verbinden();
    oeffnen();
    resize(760, 620);
}

// Names for tests and screen readers, and what each part shows at first.
void Logbetrachter::benennen()
{
    setObjectName(QStringLiteral("Logbetrachter"));
    setWindowIcon(QIcon(QStringLiteral(":/dovevad.png")));
    m_gehezu->setObjectName(QStringLiteral("gehezu"));
    m_gehezu->setPlaceholderText(tr("Nummer"));
    m_gehezu->setAccessibleName(tr("Gehe zu Zeichen Nummer"));
    m_suchtext->setObjectName(QStringLiteral("suchtext"));
    m_suchtext->setAccessibleName(tr("Gesuchte Buchstaben"));
    m_zurueck->setObjectName(QStringLiteral("zurueck"));
    m_weiter->setObjectName(QStringLiteral("weiter"));
    m_suchFortschritt->setObjectName(QStringLiteral("suchFortschritt"));
    m_suchFortschritt->setAccessibleName(tr("Fortschritt der Suche"));
    m_abbrechen->setObjectName(QStringLiteral("abbrechen"));
    m_ausgangText->setObjectName(QStringLiteral("ausgang"));
    m_ausgangText->setWordWrap(true);
    m_urteil->setObjectName(QStringLiteral("urteil"));
    m_urteil->setWordWrap(true);
    m_urteil->setMaximumWidth(m_diagramm->sizeHint().width());
    m_diagramm->setMinimumHeight(m_diagramm->sizeHint().height()); // every letter in sight
    m_ausgangText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_zaehlFortschritt->setObjectName(QStringLiteral("zaehlFortschritt"));
    m_zaehlFortschritt->setAccessibleName(tr("Fortschritt der Zählung"));
    m_meldung->setObjectName(QStringLiteral("meldung"));
    m_meldung->setWordWrap(true);
    m_meldung->setContentsMargins(6, 0, 0, 0); // in line with the window's content, off its edge
    for (QProgressBar *bar : {m_suchFortschritt, m_zaehlFortschritt}) {
        bar->setRange(0, Teile);
        bar->hide();
    }
    m_abbrechen->hide();
}

void Logbetrachter::anordnen()
{
    auto *leiste = new QHBoxLayout;
    leiste->addWidget(beschriftung(tr("Gehe zu &Zeichen:"), m_gehezu));
    leiste->addWidget(m_gehezu);
    leiste->addSpacing(12);
    leiste->addWidget(beschriftung(tr("Suchen &nach:"), m_suchtext));
    leiste->addWidget(m_suchtext, 1);
    leiste->addWidget(m_zurueck);
    leiste->addWidget(m_weiter);
    leiste->addWidget(m_suchFortschritt);
    leiste->addWidget(m_abbrechen);

    auto *rechts = new QVBoxLayout;
    rechts->addWidget(beschriftung(tr("Verteilung der Buchstaben:"), m_diagramm));
    rechts->addWidget(m_diagramm, 1);
    rechts->addWidget(m_urteil);
    rechts->addWidget(m_zaehlFortschritt);
    auto *mitte = new QHBoxLayout;
    mitte->addWidget(m_ansicht, 1);
    mitte->addLayout(rechts);

    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    spalte->addLayout(leiste);
    spalte->addWidget(m_ausgangText);
    spalte->addLayout(mitte, 1);
    setCentralWidget(inhalt);
    statusBar()->addWidget(m_meldung, 1);
    menuesAnlegen();
    QWidget *previous = m_ansicht;
    for (QWidget *next : std::initializer_list<QWidget *>{m_gehezu, m_suchtext, m_zurueck, m_weiter, m_abbrechen,
                                                          m_ausgangText, m_diagramm})
        setTabOrder(std::exchange(previous, next), next);
    m_ansicht->setFocus();
}

void Logbetrachter::verbinden()
{
    connect(m_gehezu, &QLineEdit::returnPressed, this, &Logbetrachter::gehezuEingabe);
    connect(m_suchtext, &QLineEdit::returnPressed, this, [this] { suchen(Richtung::Vorwaerts); });
    connect(m_weiter, &QPushButton::clicked, this, [this] { suchen(Richtung::Vorwaerts); });
    connect(m_zurueck, &QPushButton::clicked, this, [this] { suchen(Richtung::Rueckwaerts); });
    connect(m_abbrechen, &QPushButton::clicked, this, &Logbetrachter::abbrechen);
    connect(m_ablage, &Ablage::melden, this, &Logbetrachter::melden);
    connect(m_ablage, &Ablage::gespeichert, this, &Logbetrachter::pruefen); // perhaps over the file shown
    connect(&m_blick, &QTimer::timeout, this, &Logbetrachter::pruefen);
    m_blick.start(200);
}


Logbetrachter::~Logbetrachter() = default;

QString Logbetrachter::fehler() const
{
    return m_datei->isOpen() ? QString() : m_datei->fehler();
}

void Logbetrachter::menuesAnlegen()
{
    QMenu *datei = menuBar()->addMenu(tr("&Datei"));
    datei->addAction(tr("Im &Texteditor öffnen"), QKeySequence(Qt::CTRL | Qt::Key_E), this, [this] {
        if (!Shell::open(m_path))
            meldeNichtGeoeffnet(m_path);
    })->setObjectName(QStringLiteral("imEditor"));
    datei->addAction(tr("Im Datei&manager zeigen"), this, [this] { Shell::showInFolder(m_path); })
        ->setObjectName(QStringLiteral("imDateimanager"));
    const auto *oeffner = new Oeffner(this, m_path); // drops too
    connect(oeffner, &Oeffner::gewaehlt, this, &Logbetrachter::zeigen);
    datei->addAction(oeffner->aktion());
    datei->addAction(tr("&Neu laden"), QKeySequence::Refresh, this, &Logbetrachter::oeffnen);
    datei->addActions(m_ablage->fuerDatei());
    datei->addSeparator();
    datei->addAction(tr("&Schließen"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);
    menuBar()->addMenu(tr("&Bearbeiten"))->addActions(m_ablage->fuerBearbeiten());

    QMenu *gehe = menuBar()->addMenu(tr("&Gehe zu"));
    gehe->addAction(tr("Zu &Zeichen Nummer …"), QKeySequence(Qt::CTRL | Qt::Key_G), this, [this] {
        m_gehezu->setFocus(Qt::ShortcutFocusReason);
        m_gehezu->selectAll();
    });
    gehe->addAction(tr("Zum &Anfang"), QKeySequence(Qt::CTRL | Qt::Key_Home), this, [this] { m_ansicht->gehezu(1); });
    gehe->addAction(tr("Zum &Ende"), QKeySequence(Qt::CTRL | Qt::Key_End), this,
                    [this] { m_ansicht->gehezu(m_ansicht->zeilen()); });
    gehe->addAction(tr("Zu den &markierten Zeichen"), QKeySequence(Qt::CTRL | Qt::Key_M), this,
                    [this] { ausgangMarkieren(); });

    QMenu *suche = menuBar()->addMenu(tr("&Suchen"));
    suche->addAction(tr("&Suchen …"), QKeySequence::Find, this, [this] {
        m_suchtext->setFocus(Qt::ShortcutFocusReason);
        m_suchtext->selectAll();
    });
    suche->addAction(tr("&Weitersuchen"), QKeySequence::FindNext, this,
                     [this] { suchen(Richtung::Vorwaerts); });
    suche->addAction(tr("&Rückwärts suchen"), QKeySequence::FindPrevious, this,
                     [this] { suchen(Richtung::Rueckwaerts); });
    suche->addAction(tr("Suche &abbrechen"), QKeySequence(Qt::Key_Escape), this, &Logbetrachter::abbrechen);
}

void Logbetrachter::oeffnen()
{
    abbrechen();
    m_zaehlung = {};
    auto datei = std::make_shared<Logdatei>(m_path);
    if (!datei->isOpen() && m_datei) {
        melden(tr("Die Datei lässt sich nicht neu laden: %1 Gezeigt wird weiter, was sie war.").arg(datei->fehler()));
        return;
    }
    m_datei = std::move(datei);
    // A record is no text for an editor; its text is what this window shows.
    if (auto *editor = findChild<QAction *>(QStringLiteral("imEditor")))
        editor->setEnabled(!m_datei->aufzeichnung());
    m_ansicht->setDatei(m_datei);
    m_ablage->setDatei(m_datei);
    m_ansicht->gehezu(m_ansicht->zeilen()); // the end of the run
    melden({});
    m_befundGemeldet.clear();
    befundMelden();
    ausgangMarkieren();
    titelSetzen();
    zaehlen();
}

void Logbetrachter::titelSetzen()
{
    QStringList zusatz;
    const Logdatei::Befund befund = m_datei->befund();
    if (befund == Logdatei::Befund::Beschaedigt || befund == Logdatei::Befund::Fremd)
        zusatz << tr("beschädigt");
    else if (befund == Logdatei::Befund::Abgebrochen)
        zusatz << tr("bricht ab");
    const int veraenderung = m_datei->veraenderung();
    if (veraenderung & Logdatei::Geloescht)
        zusatz << tr("gelöscht");
    else if (veraenderung & Logdatei::Ersetzt)
        zusatz << tr("durch eine andere Datei ersetzt");
    else if (veraenderung & Logdatei::Groesse)
        zusatz << tr("geändert");
    QString titel = tr("%1 – %2 Zeichen").arg(QFileInfo(m_path).fileName(), zahl(m_datei->zeichen()));
    if (!zusatz.isEmpty())
        titel += QStringLiteral(" (%1)").arg(zusatz.join(QStringLiteral(", ")));
    setWindowTitle(titel + tr(" – Dovevad-Logbetrachter"));
}

void Logbetrachter::pruefen()
{
    const int vorher = m_datei->veraenderung();
    const qint64 zeichen = m_datei->zeichen();
    const Logdatei::Befund befund = m_datei->befund();
    const int jetzt = m_datei->pruefen();
    if (jetzt != vorher || m_datei->zeichen() != zeichen || m_datei->befund() != befund) {
        m_ansicht->dateiGeaendert();
        titelSetzen();
    }
    befundMelden();
    // The space of a log that only this window still holds is freed when it closes.
    const int fort = Logdatei::Geloescht | Logdatei::Ersetzt;
    if ((jetzt & fort) && !(vorher & fort))
        melden(tr("%1 Gezeigt wird weiter, was sie enthielt; ihre %2 auf dem Datenträger werden erst frei, "
                              "wenn dieses Fenster schließt.")
                   .arg(jetzt & Logdatei::Geloescht ? tr("Die Logdatei wurde gelöscht.")
                                                    : tr("Unter dem Namen der Logdatei steht jetzt eine andere Datei."),
                        Zahlen::schreibweise().formattedDataSize(m_datei->bytes(), 1, QLocale::DataSizeSIFormat)));
    fortschrittZeigen();
}

void Logbetrachter::fortschrittZeigen()
{
    if (m_sucheGesamt > 0)
        m_suchFortschritt->setValue(int(m_sucheGeschafft * Teile / m_sucheGesamt));
    if (const qint64 alle = m_datei->zeichen(); alle > 0 && m_zaehlFortschritt->isVisible())
        m_zaehlFortschritt->setValue(int(std::min<qint64>(m_zaehlGeschafft, alle) * Teile / alle));
}

// What is wrong with the file is said as it comes, at the start or as the
// file grows, and taken back where it has gone (a growing log's part line).
void Logbetrachter::befundMelden()
{
    const QString befund = m_datei->befundText();
    if (befund == m_befundGemeldet)
        return;
    if (!befund.isEmpty())
        melden(befund);
    else if (m_meldung->text() == m_befundGemeldet)
        melden({});
    m_befundGemeldet = befund;
}

// The letters Dovevad names are marked only where the file still holds them.
void Logbetrachter::ausgangMarkieren()
{
    const QByteArray ziel = nurBuchstaben(m_ausgang.ziel);
    const int laenge = m_ausgang.gefunden ? int(ziel.size()) : std::clamp(m_ausgang.buchstaben, 0, int(ziel.size()));
    const qint64 erste = m_ausgang.bis - laenge + 1, letzte = m_ausgang.bis;
    const QByteArray zeilen = erste >= 1 && laenge > 0 ? m_datei->zeilen(erste, laenge) : QByteArray();
    bool stimmt = zeilen.size() == laenge * Logdatei::Zeilenlaenge;
    for (int i = 0; stimmt && i < laenge; ++i)
        stimmt = zeilen[i * Logdatei::Zeilenlaenge] == ziel[i];

    const QString zeigt = tr("„%1“").arg(QString::fromLatin1(ziel.left(laenge)));
    const QString stelle = laenge == 1 ? tr("Zeichen %1").arg(zahl(erste))
                                       : tr("Zeichen %1 bis %2").arg(zahl(erste), zahl(letzte));
    QString text;
    if (m_ausgang.ziel.isEmpty() && !m_ausgang.gefunden)
        ; // started by hand: nothing to tell
    else if (laenge == 0)
        text = m_ausgang.gefunden ? tr("Gefunden: Eine leere Zeichenfolge braucht kein Zeichen.")
                                  : tr("Angehalten, bevor ein Buchstabe von „%1“ kam.").arg(QString::fromLatin1(ziel));
    else if (zeilen.size() < laenge * Logdatei::Zeilenlaenge)
        text = tr("Die Datei ist kürzer, als Dovevad sie schrieb: Die Zeichen %1 bis %2 fehlen.")
                   .arg(zahl(std::max<qint64>(erste, 1)), zahl(letzte));
    else if (!stimmt)
        text = tr("An der Stelle, die Dovevad nennt (%1), steht nicht %2: Die Datei hat sich geändert.")
                   .arg(stelle, zeigt);
    else if (m_ausgang.gefunden)
        text = tr("Gefunden: %1 als %2.").arg(zeigt, stelle);
    else
        text = tr("Angehalten. Am nächsten bisher: %1, %2 von %3 Buchstaben, nach %4 Zeichen (%5).")
                   .arg(zeigt, zahl(laenge), zahl(ziel.size()), zahl(letzte), stelle);

    // A record that Dovevad hands over goes when Dovevad closes: this
    // window is the user's last chance to keep it.
    if (!text.isEmpty() && m_datei->aufzeichnung())
        text += u'\n' + tr("Dovevad löscht diese Aufzeichnung, wenn es schließt; „Aufzeichnung speichern unter …“ (%1) "
                           "behält eine Kopie.").arg(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S).toString(QKeySequence::NativeText));

    const bool markieren = laenge > 0 && stimmt;
    m_ansicht->setZiel(markieren ? LogAnsicht::Markierung{erste, letzte, m_ausgang.gefunden ? tr("gefunden")
                                                                                              : tr("am nächsten bisher")}
                                 : LogAnsicht::Markierung{});
    m_ausgangText->setText(text);
    m_ausgangText->setVisible(!text.isEmpty());
    if (markieren)
        m_ansicht->zeigen(erste, letzte, letzte);
}

void Logbetrachter::gehezuEingabe()
{
    QString eingabe = m_gehezu->text();
    eingabe.remove(Zahlen::schreibweise().groupSeparator()).remove(u' ');
    bool zahlOk = false;
    const qint64 nummer = eingabe.toLongLong(&zahlOk);
    const qint64 zeilen = m_ansicht->zeilen();
    if (!zahlOk || nummer < 1 || nummer > zeilen) {
        melden(zeilen == 0 ? tr("Die Logdatei ist leer.")
                           : tr("Bitte eine Nummer von 1 bis %1 eingeben.").arg(zahl(zeilen)));
        return;
    }
    m_ansicht->gehezu(nummer);
    m_ansicht->setFocus(Qt::OtherFocusReason);
}

void Logbetrachter::suchen(Richtung richtung)
{
    const QByteArray buchstaben = nurBuchstaben(m_suchtext->text());
    if (buchstaben.isEmpty()) {
        melden(tr("Bitte die gesuchten Buchstaben eingeben; nur A bis Z kommen in der Logdatei vor."));
        return;
    }
    abbrechen();
    const bool vorwaerts = richtung == Richtung::Vorwaerts;
    const qint64 ab = m_ansicht->aktuell() + (vorwaerts ? 1 : -1);
    m_sucheGesamt = std::max<qint64>(1, m_datei->zeichen()); // with the way round from the other end
    m_sucheGeschafft = 0;
    m_suchFortschritt->setValue(0);
    m_suchFortschritt->show();
    m_abbrechen->show();
    melden(tr("Suche nach „%1“ …").arg(QString::fromLatin1(buchstaben)));
    const quint64 nummer = ++m_sucheNummer;
    m_suche = std::jthread([this, datei = m_datei, buchstaben, richtung, ab, nummer](std::stop_token stop) {
        // Letter ab (from 1) is at place ab - 1; none before the first.
        quint64 platz = Textsuche::finden(*datei, buchstaben, ab >= 1 ? quint64(ab - 1) : KeinFund, richtung, stop,
                                          m_sucheGeschafft);
        // Not found this way: on from the other end, as editors do.
        if (platz == KeinFund && !stop.stop_requested())
            platz = Textsuche::finden(*datei, buchstaben, richtung == Richtung::Vorwaerts ? 0 : quint64(datei->zeichen()) - 1,
                                      richtung, stop, m_sucheGeschafft);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(this, [=, this] { sucheFertig(nummer, platz, buchstaben, richtung, ab); },
                                  Qt::QueuedConnection);
    });
}

void Logbetrachter::sucheFertig(quint64 nummer, quint64 platz, const QByteArray &buchstaben, Richtung richtung,
                                qint64 ab)
{
    if (nummer != m_sucheNummer)
        return;
    m_suchFortschritt->hide();
    m_abbrechen->hide();
    m_sucheGesamt = 0;
    const QString text = QString::fromLatin1(buchstaben);
    if (platz == KeinFund) {
        m_ansicht->setFund({});
        melden(tr("„%1“ kommt in der Logdatei nicht vor.").arg(text));
        return;
    }
    const bool vorwaerts = richtung == Richtung::Vorwaerts;
    const qint64 treffer = qint64(platz) + 1; // letters are numbered from 1
    const qint64 letzte = treffer + buchstaben.size() - 1;
    m_ansicht->setFund({treffer, letzte, tr("Fundstelle")});
    m_ansicht->zeigen(treffer, letzte, treffer);
    QString gefunden = tr("„%1“ gefunden: Zeichen %2 bis %3").arg(text, zahl(treffer), zahl(letzte));
    if (vorwaerts ? treffer < ab : treffer > ab)
        gefunden += vorwaerts ? tr(", wieder von vorn gesucht") : tr(", wieder vom Ende her gesucht");
    melden(gefunden + u'.');
}

void Logbetrachter::abbrechen()
{
    if (m_sucheGesamt == 0)
        return;
    m_suche = {}; // stops and waits for it: a block at most
    ++m_sucheNummer;
    m_sucheGesamt = 0;
    m_suchFortschritt->hide();
    m_abbrechen->hide();
    melden(tr("Suche abgebrochen."));
}

void Logbetrachter::zaehlen()
{
    m_zaehlGeschafft = 0;
    m_zaehlFortschritt->setValue(0);
    m_zaehlFortschritt->setVisible(m_datei->zeichen() > 0);
    const quint64 nummer = ++m_zaehlNummer;
    m_zaehlung = std::jthread([this, datei = m_datei, nummer](std::stop_token stop) {
        const Buchstabenzaehlung zaehlung = Buchstabenzaehlung::zaehlen(*datei, stop, m_zaehlGeschafft);
        if (!zaehlung.vollstaendig)
            return;
        QMetaObject::invokeMethod(this, [=, this] {
            if (nummer != m_zaehlNummer)
                return;
            m_zaehlFortschritt->hide();
            m_diagramm->setZaehlung(zaehlung);
            m_urteil->setText(m_diagramm->urteil());
        }, Qt::QueuedConnection);
    });
}

void Logbetrachter::melden(const QString &text)
{
    m_meldung->setText(text);
    m_meldung->setAccessibleName(text);
}

void Logbetrachter::meldeNichtGeoeffnet(const QString &path)
{
    MsgBox::show(this, tr("Der Desktop konnte das nicht öffnen:\n\n%1").arg(QDir::toNativeSeparators(path)),
                 MsgBox::Exclamation, tr("Dovevad-Logbetrachter"));
}

void Logbetrachter::zeigen(const QString &path)
{
    auto *fenster = new Logbetrachter(path, {});
    fenster->setAttribute(Qt::WA_DeleteOnClose);
    if (const QString fehler = fenster->fehler(); !fehler.isEmpty()) {
        delete fenster;
        Oeffner::nichtZuZeigen(path, fehler);
        return;
    }
    fenster->show();
}
