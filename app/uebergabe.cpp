#include "uebergabe.h"

#include "groesse.h"
#include "logzeile.h"
#include "msgbox.h"
#include "shell.h"
#include "viewerstart.h"
#include "zahlen.h"

#include <QDir>
#include <QFileInfo>

namespace {

// As a POSIX shell reads it, whatever the path holds.
QString shellQuoted(const QString &text)
{
    QString quoted = text;
    return u'\'' + quoted.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

const QString Titel = QStringLiteral("Dovevad");

} // namespace

Betrachteraufruf::Ausgang Uebergabe::ausgangVon(const Laufende &ende)
{
    const bool gefunden = ende.wie == Laufende::Wie::Gefunden;
    return {ende.ziel, gefunden, gefunden ? 0 : ende.naehe.buchstaben, gefunden ? ende.zeichen : ende.naehe.nachZeichen};
}

void Uebergabe::gefunden()
{
    m_box(tr("Zeichenfolge wurde gefunden!"), MsgBox::Information, tr("Gefunden!"));
}

void Uebergabe::nurNochAufzeichnung(qint64 inLog, const QString &recordPath)
{
    m_hinweis(tr("Der Datenträger ist fast voll. Damit andere Programme ihre Dateien noch speichern können, schreibt "
                 "Dovevad nach Zeichen %1 nichts mehr in die Logdatei.\n\nDer Lauf geht weiter: Jedes Zeichen steht in "
                 "seiner Aufzeichnung, die kaum Platz braucht:\n\n%2")
                  .arg(Zahlen::schreibweise().toString(inLog), QDir::toNativeSeparators(recordPath)),
              Titel);
}

void Uebergabe::uebergeben(quintptr hWnd, const Laufende &ende)
{
    m_ausgang = ausgangVon(ende);
    // Letters in the record only are shown from it; where the viewer cannot
    // start, the user is told where they are.
    if (ende.imLog < 0)
        DateiOeffnen(hWnd, ende.logPath);
    else if (!ViewerStart::start(Betrachteraufruf::argumente(ende.recordPath, m_ausgang)))
        meldeAufzeichnung(ende);
}

bool Uebergabe::DateiOeffnen(quintptr hWnd, const QString &Datei)
{
    // The desktop needs no owner window, parameters, working folder or show
    // command to open a file: the path is all that carries over.
    Q_UNUSED(hWnd);
    // Where the program's own viewer cannot start, the desktop's is asked.
    if (QFileInfo(Datei).size() > KleineLogdatei && ViewerStart::start(Betrachteraufruf::argumente(Datei, m_ausgang)))
        return true;
    const bool opened = Shell::open(Datei);
    if (!opened)
        meldeNichtGeoeffnet(Datei);
    return opened;
}

void Uebergabe::meldeNichtGeoeffnet(const QString &Datei)
{
    // The viewer is how a run's letters reach the user: its failure is said.
    m_box(tr("Die Logdatei konnte nicht in einem Textbetrachter geöffnet werden. Sie bleibt hier erhalten:\n\n%1")
              .arg(QDir::toNativeSeparators(Datei)),
          MsgBox::Exclamation, Titel);
}

void Uebergabe::meldeVoll(const Laufende &ende)
{
    const QString zeichen = Zahlen::schreibweise().toString(ende.zeichen);
    if (ende.wie == Laufende::Wie::Grenze) {
        m_box(tr("Die Aufzeichnung fasst keine weiteren Zeichen: Nach %1 Zeichen hat Dovevad aufgehört zu tippen.").arg(zeichen),
              MsgBox::Information, Titel);
        return;
    }
    const QString prompt = ende.aufzeichnungVoll
        ? tr("Der Datenträger ist fast voll. Damit andere Programme ihre Dateien noch speichern können, hat Dovevad "
             "aufgehört zu tippen.\n\nDie Aufzeichnung enthält %1 Zeichen und belegt %2.")
        : tr("Der Datenträger ist fast voll. Damit andere Programme ihre Dateien noch speichern können, hat Dovevad "
             "aufgehört zu tippen.\n\nDie Logdatei enthält %1 Zeichen und belegt %2.");
    m_box(prompt.arg(zeichen, groesse(quint64(ende.groesse))), MsgBox::Exclamation, Titel);
}

void Uebergabe::meldeAufzeichnung(const Laufende &ende)
{
    const QLocale zahlen = Zahlen::schreibweise();
    const QString wo = ende.imLog == 0
        ? tr("Die Zeichen dieses Laufs stehen nur in seiner Aufzeichnung:")
        : tr("Die ersten %1 Zeichen dieses Laufs stehen in der Logdatei, alle %2 in seiner Aufzeichnung:")
              .arg(zahlen.toString(ende.imLog), zahlen.toString(ende.zeichen));
    // The text goes where the user says: seldom onto the disk that had no
    // room for it.
    const QString befehl = ViewerStart::command() + QStringLiteral(" --text ") + shellQuoted(ende.recordPath);
    m_box(wo + QStringLiteral("\n\n") + QDir::toNativeSeparators(ende.recordPath) + QStringLiteral("\n\n")
              + tr("Als Text, Zeile für Zeile wie in einer Logdatei, gibt sie dieser Befehl aus, etwa für grep oder in "
                   "eine Datei auf einem Datenträger mit Platz für %1:")
                    .arg(groesse(quint64(ende.zeichen) * Logzeile::Laenge))
              + QStringLiteral("\n\n") + befehl + QStringLiteral("\n\n")
              + tr("Dovevad löscht die Aufzeichnung, wenn es schließt. Um sie zu behalten, kopieren Sie sie vorher an "
                   "einen anderen Ort.")
              + QStringLiteral("\n\n") + QStringLiteral("cp ") + shellQuoted(ende.recordPath) + QStringLiteral(" ~/"),
          MsgBox::Information, Titel);
}
