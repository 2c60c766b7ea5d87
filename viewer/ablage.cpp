#include "ablage.h"

#include "logansicht.h"
#include "logdatei.h"
#include "zahlen.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QStandardPaths>

namespace {

constexpr auto zahl = &Logdatei::nummer;

// How far the progress goes: in thousandths, as an int holds no count of bytes.
constexpr int Teile = 1000;

} // namespace

Ablage::Ablage(LogAnsicht *ansicht, QWidget *fenster)
    : QObject(fenster)
    , m_ansicht(ansicht)
    , m_fenster(fenster)
    , m_speicherung(new Speicherung(this))
    , m_kopieren(new QAction(tr("&Kopieren"), this))
    , m_mitNummern(new QAction(tr("Mit &Nummern kopieren"), this))
    , m_speichern(new QAction(tr("Zeichen &speichern …"), this))
    , m_aufzeichnung(new QAction(tr("Aufzeichnung speichern &unter …"), this))
{
    m_kopieren->setObjectName(QStringLiteral("kopieren"));
    m_kopieren->setShortcut(QKeySequence::Copy);
    m_mitNummern->setObjectName(QStringLiteral("mitNummern"));
    m_speichern->setObjectName(QStringLiteral("speichern"));
    m_speichern->setShortcut(QKeySequence::Save);
    m_aufzeichnung->setObjectName(QStringLiteral("aufzeichnungSpeichern"));
    m_aufzeichnung->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_aufzeichnung->setEnabled(false);
    connect(m_kopieren, &QAction::triggered, this, [this] { kopieren(false); });
    connect(m_mitNummern, &QAction::triggered, this, [this] { kopieren(true); });
    connect(m_speichern, &QAction::triggered, this, &Ablage::speichernFragen);
    connect(m_aufzeichnung, &QAction::triggered, this, &Ablage::aufzeichnungSpeichernFragen);
    m_ansicht->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_ansicht->addActions({m_kopieren, m_mitNummern, m_speichern});
}

void Ablage::setDatei(std::shared_ptr<const Logdatei> datei)
{
    m_datei = std::move(datei);
    m_aufzeichnung->setEnabled(m_datei->aufzeichnung());
}

QList<QAction *> Ablage::fuerDatei() const
{
    return {m_speichern, m_aufzeichnung};
}

QList<QAction *> Ablage::fuerBearbeiten() const
{
    return {m_kopieren, m_mitNummern};
}

void Ablage::kopieren(bool mitNummern)
{
    // Beyond this, a file is the place for the rows.
    constexpr qint64 Hoechstens = 1'000'000;
    const qint64 von = m_ansicht->auswahlVon(), anzahl = m_ansicht->auswahlBis() - von + 1;
    if (anzahl > Hoechstens) {
        emit melden(tr("%1 Zeilen sind zu viele für die Zwischenablage; „Zeichen speichern …“ schreibt sie in eine Datei.")
                        .arg(zahl(anzahl)));
        return;
    }
    const QByteArray bytes = m_datei->zeilen(von, anzahl);
    QStringList zeilen;
    zeilen.reserve(anzahl);
    for (qint64 i = 0; i < anzahl; ++i) {
        const qsizetype at = i * Logdatei::Zeilenlaenge;
        const bool buchstabe = at + Logdatei::Zeilenlaenge <= bytes.size() && Logdatei::istZeile(bytes.constData() + at);
        const QString text = buchstabe ? QString(QChar(bytes[at])) : QStringLiteral("?");
        zeilen << (mitNummern ? QString::number(von + i) + u'\t' + text : text);
    }
    QGuiApplication::clipboard()->setText(zeilen.join(u'\n') + u'\n');
    emit melden(anzahl == 1 ? tr("Zeichen %1 kopiert.").arg(zahl(von))
                            : tr("Zeichen %1 bis %2 kopiert.").arg(zahl(von), zahl(von + anzahl - 1)));
}

bool Ablage::speichern(qint64 von, qint64 bis, const QString &ziel)
{
    if (von < 1 || bis < von || bis > m_datei->zeichen()) {
        emit melden(tr("Bitte Nummern von 1 bis %1 eingeben.").arg(zahl(m_datei->zeichen())));
        return false;
    }
    constexpr int L = Logdatei::Zeilenlaenge;
    const auto zeilen = [datei = m_datei, von](qint64 offset, qint64 size) {
        return datei->zeilen(von + offset / L, size / L);
    };
    if (!schreiben(ziel, L * (bis - von + 1), zeilen, tr("Speichert Zeichen %1 bis %2 …").arg(zahl(von), zahl(bis))))
        return false;
    emit melden(tr("Zeichen %1 bis %2 gespeichert in „%3“.").arg(zahl(von), zahl(bis), QDir::toNativeSeparators(ziel)));
    emit gespeichert(ziel);
    return true;
}

bool Ablage::aufzeichnungSpeichern(const QString &ziel)
{
    const auto bytes = [datei = m_datei](qint64 offset, qint64 size) {
        QByteArray block(size, Qt::Uninitialized);
        block.truncate(datei->rohLesen(offset, block.data(), size));
        return block;
    };
    if (!m_datei->aufzeichnung() || !schreiben(ziel, m_datei->bytes(), bytes, tr("Speichert die Aufzeichnung …")))
        return false;
    emit melden(tr("Die Aufzeichnung ist gespeichert in „%1“.").arg(QDir::toNativeSeparators(ziel)));
    emit gespeichert(ziel);
    return true;
}

bool Ablage::schreiben(const QString &ziel, qint64 groesse, const Speicherung::Quelle &quelle, const QString &was)
{
    QProgressDialog fortschritt(was, tr("Abbrechen"), 0, Teile, m_fenster);
    fortschritt.setWindowModality(Qt::WindowModal);
    fortschritt.setMinimumDuration(500);
    connect(&fortschritt, &QProgressDialog::canceled, m_speicherung, &Speicherung::abbrechen);
    connect(m_speicherung, &Speicherung::geschrieben, &fortschritt,
            [&fortschritt](qint64 bytes, qint64 alle) { fortschritt.setValue(int(bytes * Teile / alle)); });
    if (m_speicherung->schreiben(ziel, groesse, quelle))
        return true;
    emit melden(tr("„%1“ ist nicht gespeichert: %2.").arg(QDir::toNativeSeparators(ziel), m_speicherung->fehler()));
    return false;
}

// The rows selected, or any numbers, and where to.
void Ablage::speichernFragen()
{
    QDialog frage(m_fenster);
    frage.setWindowTitle(tr("Zeichen speichern"));
    auto *von = new QLineEdit(QString::number(m_ansicht->auswahlVon()));
    auto *bis = new QLineEdit(QString::number(m_ansicht->auswahlBis()));
    auto *form = new QFormLayout(&frage);
    form->addRow(tr("&Von Zeichen:"), von);
    form->addRow(tr("&Bis Zeichen:"), bis);
    auto *knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(knoepfe);
    connect(knoepfe, &QDialogButtonBox::accepted, &frage, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, &frage, &QDialog::reject);
    if (frage.exec() != QDialog::Accepted)
        return;
    const QString ziel = QFileDialog::getSaveFileName(m_fenster, tr("Zeichen speichern"), QFileInfo(m_datei->path()).path(),
                                                      tr("Text (*.txt)"));
    if (!ziel.isEmpty())
        speichern(Zahlen::schreibweise().toLongLong(von->text()), Zahlen::schreibweise().toLongLong(bis->text()), ziel);
}

// Into the documents rather than beside the record, which Dovevad removes
// at its next run or as it closes.
void Ablage::aufzeichnungSpeichernFragen()
{
    const QString vorschlag = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                  .filePath(QFileInfo(m_datei->path()).fileName());
    const QString ziel = QFileDialog::getSaveFileName(m_fenster, tr("Aufzeichnung speichern unter"), vorschlag,
                                                      tr("Aufzeichnungen von Dovevad (*.dovrec)"));
    if (!ziel.isEmpty())
        aufzeichnungSpeichern(ziel);
}
