<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Ablage</name>
    <message>
        <source>&amp;Kopieren</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Mit &amp;Nummern kopieren</source>
        <translation>Copy with &amp;numbers</translation>
    </message>
    <message>
        <source>Zeichen &amp;speichern …</source>
        <translation>&amp;Save characters …</translation>
    </message>
    <message>
        <source>Aufzeichnung speichern &amp;unter …</source>
        <translation>Save Record &amp;As…</translation>
    </message>
    <message>
        <source>%1 Zeilen sind zu viele für die Zwischenablage; „Zeichen speichern …“ schreibt sie in eine Datei.</source>
        <translation>%1 lines are too many for the clipboard; “Save characters …” writes them into a file.</translation>
    </message>
    <message>
        <source>Zeichen %1 kopiert.</source>
        <translation>Character %1 copied.</translation>
    </message>
    <message>
        <source>Zeichen %1 bis %2 kopiert.</source>
        <translation>Characters %1 to %2 copied.</translation>
    </message>
    <message>
        <source>Bitte Nummern von 1 bis %1 eingeben.</source>
        <translation>Please enter numbers from 1 to %1.</translation>
    </message>
    <message>
        <source>Speichert Zeichen %1 bis %2 …</source>
        <translation>Saving characters %1 to %2 …</translation>
    </message>
    <message>
        <source>Zeichen %1 bis %2 gespeichert in „%3“.</source>
        <translation>Characters %1 to %2 saved in “%3”.</translation>
    </message>
    <message>
        <source>Speichert die Aufzeichnung …</source>
        <translation>Saving the record …</translation>
    </message>
    <message>
        <source>Die Aufzeichnung ist gespeichert in „%1“.</source>
        <translation>The record is saved in “%1”.</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>„%1“ ist nicht gespeichert: %2.</source>
        <translation>“%1” is not saved: %2.</translation>
    </message>
    <message>
        <source>Zeichen speichern</source>
        <translation>Save characters</translation>
    </message>
    <message>
        <source>&amp;Von Zeichen:</source>
        <translation>&amp;From character:</translation>
    </message>
    <message>
        <source>&amp;Bis Zeichen:</source>
        <translation>&amp;To character:</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>Aufzeichnung speichern unter</source>
        <translation>Save Record As</translation>
    </message>
    <message>
        <source>Aufzeichnungen von Dovevad (*.dovrec)</source>
        <translation>Dovevad&apos;s records (*.dovrec)</translation>
    </message>
</context>
<context>
    <name>Aufzeichnungsleser</name>
    <message>
        <source>Die Datei ist leer.</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>Das ist keine Aufzeichnung von Dovevad.</source>
        <translation>This is not a record of Dovevad’s.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung bricht schon in ihrem Kopf ab.</source>
        <translation>The record breaks off in its header already.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung ist von einer neueren Version von Dovevad (Format %1); diese liest Format %2.</source>
        <translation>The record is from a newer version of Dovevad (format %1); this one reads format %2.</translation>
    </message>
    <message>
        <source>Der Kopf der Aufzeichnung ist beschädigt.</source>
        <translation>The record’s header is damaged.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung ist nach Zeichen %1 beschädigt; bis dahin ist sie gelesen.</source>
        <translation>The record is damaged after character %1; it has been read up to there.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung bricht nach Zeichen %1 ab; bis dahin ist sie gelesen.</source>
        <translation>The record breaks off after character %1; it has been read up to there.</translation>
    </message>
</context>
<context>
    <name>Auskunft</name>
    <message>
        <source> Zeichen pro Sekunde</source>
        <translation> characters a second</translation>
    </message>
    <message>
        <source>Millisekunde</source>
        <translation>millisecond</translation>
    </message>
    <message>
        <source>Millisekunden</source>
        <translation>milliseconds</translation>
    </message>
    <message>
        <source>Sekunde</source>
        <translation>second</translation>
    </message>
    <message>
        <source>Sekunden</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>minute</translation>
    </message>
    <message>
        <source>Minuten</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Stunde</source>
        <translation>hour</translation>
    </message>
    <message>
        <source>Stunden</source>
        <translation>hours</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>day</translation>
    </message>
    <message>
        <source>Tage</source>
        <translation>days</translation>
    </message>
    <message>
        <source>Jahr</source>
        <translation>year</translation>
    </message>
    <message>
        <source>Jahre</source>
        <translation>years</translation>
    </message>
    <message>
        <source>unter einer Millisekunde</source>
        <translation>under a millisecond</translation>
    </message>
    <message>
        <source> Byte</source>
        <translation> bytes</translation>
    </message>
    <message>
        <source>über 99,9 %</source>
        <translation>over 99.9 %</translation>
    </message>
    <message>
        <source>Am nächsten bisher: noch kein Buchstabe der Zeichenfolge</source>
        <translation>Closest so far: no letter of the string yet</translation>
    </message>
    <message>
        <source>Am nächsten bisher: %1, %2 von %3 Buchstaben, nach %4 Zeichen</source>
        <translation>Closest so far: %1, %2 of %3 letters, after %4 characters</translation>
    </message>
    <message>
        <source>Eine leere Zeichenfolge ist sofort gefunden, ohne ein einziges Zeichen.</source>
        <translation>An empty string is found at once, without a single character.</translation>
    </message>
    <message>
        <source>Erwartet: %1 Zeichen</source>
        <translation>Expected: %1 characters</translation>
    </message>
    <message>
        <source>Gefunden mit 50 % Wahrscheinlichkeit nach %1 Zeichen, mit 95 % nach %2</source>
        <translation>Found with 50 % probability after %1 characters, with 95 % after %2</translation>
    </message>
    <message>
        <source>Erwartete Dauer: wird noch gemessen</source>
        <translation>Expected time: still being measured</translation>
    </message>
    <message>
        <source>Erwartete Größe der Logdatei: %1, frei sind %2</source>
        <translation>Expected size of the log file: %1, free are %2</translation>
    </message>
    <message>
        <source>Warnung: So viel Platz ist nicht frei; der Lauf hält vorher an, damit der Datenträger nicht vollläuft.</source>
        <translation>Warning: This much space is not free; the run stops before, so that the disk does not fill up.</translation>
    </message>
    <message>
        <source>Eine Zeichenfolge dieser Art wäre nach %1 Zeichen mit %2 Wahrscheinlichkeit schon erschienen.</source>
        <translation>A string of this kind would have appeared after %1 characters with %2 probability.</translation>
    </message>
    <message>
        <source>Erwartete Größe der Aufzeichnung: %1</source>
        <translation>Expected size of the record: %1</translation>
    </message>
    <message>
        <source>So viel Platz ist nicht frei: Bevor der Datenträger vollläuft, schreibt der Lauf nur noch seine Aufzeichnung weiter.</source>
        <translation>That much space is not free: before the disk fills up, the run goes on writing only its record.</translation>
    </message>
    <message>
        <source>Die Zeichen stehen nur in der Aufzeichnung, nicht in der Logdatei.</source>
        <translation>The characters are in the record only, not in the log file.</translation>
    </message>
    <message>
        <source>Nach Zeichen %1 stehen die Zeichen nur in der Aufzeichnung, nicht in der Logdatei.</source>
        <translation>After character %1 the characters are in the record only, not in the log file.</translation>
    </message>
    <message>
        <source>%1 bei %2</source>
        <translation>%1 at %2</translation>
    </message>
    <message>
        <source>Erwartete Dauer: %1</source>
        <translation>Expected time: %1</translation>
    </message>
    <message>
        <source>Kompakt, nur mit Aufzeichnung: %1</source>
        <translation>Compact, with the record alone: %1</translation>
    </message>
    <message>
        <source>Mit Logdatei: %1</source>
        <translation>With a log: %1</translation>
    </message>
    <message>
        <source>Geringe Aussicht: Bis die Aufzeichnung nach %1 Zeichen voll ist, erscheint sie nur mit %2 Wahrscheinlichkeit.</source>
        <translation>Poor odds: before the record is full after %1 characters, it appears with a probability of only %2.</translation>
    </message>
    <message>
        <source>einem Kern</source>
        <translation>one core</translation>
    </message>
    <message>
        <source>%1 Kernen</source>
        <translation>%1 cores</translation>
    </message>
    <message>
        <source>auf der Grafikkarte „%1“ und %2</source>
        <translation>on the graphics card “%1” and %2</translation>
    </message>
    <message>
        <source>auf %1</source>
        <translation>on %1</translation>
    </message>
    <message>
        <source>%1; ohne Grafikkarte: %2</source>
        <translation>%1; no graphics card: %2</translation>
    </message>
</context>
<context>
    <name>Befehlszeile</name>
    <message>
        <source>Unerwartetes Argument „%1“</source>
        <translation>Unexpected argument “%1”</translation>
    </message>
    <message>
        <source>Aufruf: dovevad [Optionen]

Tippt zufällige Großbuchstaben A bis Z in die Logdatei „Generated Chars.txt“,
bis die zuletzt getippten die eingegebene Zeichenfolge ergeben.

Optionen:
  -h, --help       Zeigt diese Hilfe an.
  -v, --version    Zeigt die Version an.
  --kompakt        Schreibt keine Logdatei, nur die Aufzeichnung daneben
                   („Generated Chars.dovrec“): Sie hält jedes Zeichen fest,
                   braucht aber nur ein Tausendstel des Platzes, und
                   „dovevad-viewer --text“ macht daraus wieder den Text.

Dazu Qts eigene Optionen, etwa -platform NAME, -style NAME oder -reverse.

Umgebung:
  DOVEVAD_VULKAN=NAME  Ein kompakter Lauf sucht auch auf der Grafikkarte, über
                       Vulkan: ohne die Variable auf der schnellsten echten
                       Grafikkarte, mit NAME auf dem Gerät, dessen Name NAME
                       enthält (auch einem auf dem Prozessor wie „llvmpipe“),
                       mit 0 auf keiner.
</source>
        <translation>Usage: dovevad [options]

Types random capital letters A to Z into the log file “Generated Chars.txt”
until the latest ones spell the string entered.

Options:
  -h, --help       Shows this help.
  -v, --version    Shows the version.
  --kompakt        Writes no log file, only the record beside it
                   (“Generated Chars.dovrec”): it holds every character
                   in a thousandth of the space, and
                   “dovevad-viewer --text” turns it back into the text.

And Qt&apos;s own options, such as -platform NAME, -style NAME or -reverse.

Environment:
  DOVEVAD_VULKAN=NAME  A compact run also searches on the graphics card,
                       through Vulkan: without the variable on the fastest
                       real graphics card, with NAME on the device whose
                       name holds NAME (one on the processor too, such as
                       “llvmpipe”), with 0 on none.
</translation>
    </message>
</context>
<context>
    <name>Betrachteraufruf</name>
    <message>
        <source>Dovevad-Logbetrachter</source>
        <translation>Dovevad log viewer</translation>
    </message>
    <message>
        <source>Welche Logdatei?</source>
        <translation>Which log file?</translation>
    </message>
    <message>
        <source>Unerwartetes Argument „%1“</source>
        <translation>Unexpected argument “%1”</translation>
    </message>
    <message>
        <source>Keine Zeichennummer: „%1“</source>
        <translation>Not a character number: “%1”</translation>
    </message>
    <message>
        <source>Aufruf: dovevad-viewer [Optionen] LOGDATEI

Zeigt eine Logdatei von Dovevad („Generated Chars.txt“) jeder Größe: jedes Zeichen
mit seiner Nummer, die Suche nach Buchstaben und wie oft jeder Buchstabe vorkommt.

Optionen:
  -h, --help            Zeigt diese Hilfe an.
  -v, --version         Zeigt die Version an.
  --ziel TEXT           Die Zeichenfolge des Laufs; sie wird auch gesucht.
  --gefunden N          Der Lauf fand sie; ihr letzter Buchstabe ist Zeichen N.
  --naehe K:N           Der Lauf wurde angehalten; am nächsten kamen ihre ersten
                        K Buchstaben, deren letzter Zeichen N ist.
  --text AUFZEICHNUNG   Schreibt die Zeichen einer Aufzeichnung („Generated
                        Chars.dovrec“) auf die Standardausgabe, Byte für Byte
                        wie die Logdatei desselben Laufs, und zeigt nichts an.

Dazu Qts eigene Optionen, etwa -platform NAME, -style NAME oder -reverse.
</source>
        <translation>Usage: dovevad-viewer [options] LOGFILE

Shows a log file of Dovevad’s (“Generated Chars.txt”) of any size: every character
with its number, a search for letters and how often each letter occurs.

Options:
  -h, --help            Shows this help.
  -v, --version         Shows the version.
  --ziel TEXT           The run&apos;s string; it is also searched for.
  --gefunden N          The run found it; its last letter is character N.
  --naehe K:N           The run was stopped; closest came its first K letters,
                        the last of which is character N.
  --text RECORD         Writes the characters of a record (“Generated
                        Chars.dovrec”) to standard output, byte for byte as
                        the log file of the same run, and shows nothing.

And Qt&apos;s own options, such as -platform NAME, -style NAME or -reverse.
</translation>
    </message>
</context>
<context>
    <name>Buchstabendiagramm</name>
    <message>
        <source>Verteilung der Buchstaben</source>
        <translation>Distribution of the letters</translation>
    </message>
    <message>
        <source>Die Buchstaben werden noch gezählt.</source>
        <translation>The letters are still being counted.</translation>
    </message>
    <message>
        <source>%1 Buchstaben, ein gleicher Anteil wären %2 je Buchstabe</source>
        <translation>%1 letters; an even share would be %2 each</translation>
    </message>
    <message>
        <source>%1 Zeilen ohne Buchstaben</source>
        <translation>%1 lines without a letter</translation>
    </message>
    <message>
        <source>, für sich allein kein Zufall</source>
        <translation>, beyond chance on its own</translation>
    </message>
    <message>
        <source>χ² = %1 bei %2 Freiheitsgraden, %3</source>
        <translation>χ² = %1 at %2 degrees of freedom, %3</translation>
    </message>
    <message>
        <source>So gleichmäßig, wie der Zufall es erlaubt: %1.</source>
        <translation>As even as chance allows: %1.</translation>
    </message>
    <message>
        <source>Ungleichmäßiger, als der Zufall es gewöhnlich macht: %1.</source>
        <translation>Less even than chance usually makes it: %1.</translation>
    </message>
    <message>
        <source>Für sich allein außerhalb dessen, was der Zufall einem von 26 Buchstaben erlaubt (markiert): %1.</source>
        <translation>On its own beyond what chance allows one of 26 letters (marked): %1.</translation>
    </message>
    <message>
        <source>Zu wenige Buchstaben, um zu sagen, ob ihre Verteilung Zufall ist: Das geht ab %1.</source>
        <translation>Too few letters to say whether their spread is chance: that takes %1.</translation>
    </message>
</context>
<context>
    <name>DesktopNotifications</name>
    <message>
        <source>Zeigen</source>
        <translation>Show</translation>
    </message>
</context>
<context>
    <name>Dovevad</name>
    <message>
        <source>Dovevad läuft bereits mit seiner Logdatei in diesem Ordner:

%1

Ein zweites Dovevad würde sie überschreiben und wird darum nicht gestartet.</source>
        <translation>Dovevad is already running with its log file in this folder:

%1

A second Dovevad would overwrite it and so is not started.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Der Zadorod-Izereridi soll das Dovevad Theorem für eine feste Zeichenfolge beweisen. Man gibt eine Zeichenfolge ein und der Generator erzeugt solange zufällig Buchstaben bis er die eingegebene Zeichenfolge findet. Ist dies geschehen werden ihnen die Zeichen angezeigt.</source>
        <translation>The Zadorod-Izereridi is to prove the Dovevad theorem for a fixed string. You enter a string, and the generator makes random letters until it finds the string entered. When it has, the characters are shown to you.</translation>
    </message>
    <message>
        <source>Für weitere Hilfe: dovevad@example.org</source>
        <translation>For more help: dovevad@example.org</translation>
    </message>
    <message>
        <source>Die gesuchte Zeichenfolge; nur die Buchstaben A bis Z zählen.</source>
        <translation>The string to look for; only the letters A to Z count.</translation>
    </message>
    <message>
        <source>Wie viele Zeichen der laufende oder letzte Durchlauf getippt hat.</source>
        <translation>How many characters the current or last run has typed.</translation>
    </message>
    <message>
        <source>Anzahl der generierten Zeichen:</source>
        <translation>Number of characters generated:</translation>
    </message>
    <message>
        <source>Tippt zufällige Buchstaben, bis die eingegebene Zeichenfolge erscheint.</source>
        <translation>Types random letters until the string entered appears.</translation>
    </message>
    <message>
        <source>Zeichenfolge</source>
        <translation>String</translation>
    </message>
    <message>
        <source>Anzahl der generierten Zeichen</source>
        <translation>Number of characters generated</translation>
    </message>
    <message>
        <source>Beschriftung des Zählers.</source>
        <translation>The counter&apos;s label.</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Zeigt die Hilfe an.</source>
        <translation>Shows the help.</translation>
    </message>
    <message>
        <source>Beginnt zu tippen, bis die Zeichenfolge erscheint.</source>
        <translation>Starts typing until the string appears.</translation>
    </message>
    <message>
        <source>Hält das Tippen an.</source>
        <translation>Stops the typing.</translation>
    </message>
    <message>
        <source>Dovevad tippt: Ein Lauf sucht „%1“.</source>
        <translation>Dovevad is typing: a run looks for “%1”.</translation>
    </message>
    <message>
        <source>Dovevad hat aufgehört zu tippen</source>
        <translation>Dovevad has stopped typing</translation>
    </message>
    <message>
        <source>Nach %1 Zeichen in %2.</source>
        <translation>After %1 characters in %2.</translation>
    </message>
    <message>
        <source>Gefunden: „%1“</source>
        <translation>Found: “%1”</translation>
    </message>
    <message>
        <source>Der Datenträger ist fast voll.</source>
        <translation>The disk is nearly full.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung ist voll.</source>
        <translation>The record is full.</translation>
    </message>
</context>
<context>
    <name>Groesse</name>
    <message numerus="yes">
        <source>%n Byte</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Grosszahl</name>
    <message>
        <source> Bio.</source>
        <translation> trillion</translation>
    </message>
    <message>
        <source> Mrd.</source>
        <translation> billion</translation>
    </message>
    <message>
        <source> Mio.</source>
        <translation> million</translation>
    </message>
</context>
<context>
    <name>Karte</name>
    <message>
        <source>Kein Vulkan-Treiber gefunden.</source>
        <translation>No Vulkan driver found.</translation>
    </message>
    <message>
        <source>Die Grafikkarte ist abgeschaltet (DOVEVAD_VULKAN=0).</source>
        <translation>The graphics card is turned off (DOVEVAD_VULKAN=0).</translation>
    </message>
    <message>
        <source>Keine Grafikkarte gefunden.</source>
        <translation>No graphics card found.</translation>
    </message>
    <message>
        <source>Keine Grafikkarte heißt „%1“.</source>
        <translation>No graphics card is called “%1”.</translation>
    </message>
    <message>
        <source>Die Grafikkarte „%1“ kann kein Vulkan 1.1.</source>
        <translation>The graphics card “%1” lacks Vulkan 1.1.</translation>
    </message>
    <message>
        <source>Die Grafikkarte „%1“ kann nicht rechnen.</source>
        <translation>The graphics card “%1” cannot compute.</translation>
    </message>
    <message>
        <source>Die Grafikkarte kann das Suchprogramm nicht laden.</source>
        <translation>The graphics card cannot load the search program.</translation>
    </message>
    <message>
        <source>Der Grafikkarte fehlt der Speicher.</source>
        <translation>The graphics card is out of memory.</translation>
    </message>
    <message>
        <source>Die Grafikkarte ist ausgefallen.</source>
        <translation>The graphics card has failed.</translation>
    </message>
    <message>
        <source>Die Grafikkarte antwortet nicht.</source>
        <translation>The graphics card does not respond.</translation>
    </message>
    <message>
        <source>Die Grafikkarte meldet den Fehler %1.</source>
        <translation>The graphics card reports error %1.</translation>
    </message>
    <message>
        <source>Die Grafikkarte hat nicht alle Stellen durchsucht.</source>
        <translation>The graphics card did not search every place.</translation>
    </message>
</context>
<context>
    <name>Laufzeit</name>
    <message>
        <source>Ungültiger Zeichencode %1.</source>
        <translation>Invalid character code %1.</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht gelöscht werden.</source>
        <translation>The file could not be deleted.</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht zum Schreiben geöffnet werden.</source>
        <translation>The file could not be opened for writing.</translation>
    </message>
    <message>
        <source>In eine geschlossene Datei kann nicht geschrieben werden.</source>
        <translation>A closed file cannot be written to.</translation>
    </message>
    <message>
        <source>In die Datei konnte nicht geschrieben werden.</source>
        <translation>The file could not be written to.</translation>
    </message>
    <message>
        <source>Der freie Platz auf dem Datenträger konnte nicht ermittelt werden.</source>
        <translation>The free space on the disk could not be found out.</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht geschlossen werden.</source>
        <translation>The file could not be closed.</translation>
    </message>
    <message>
        <source> – Fehler</source>
        <translation> – Error</translation>
    </message>
    <message>
        <source>Nicht genügend Arbeitsspeicher.</source>
        <translation>Not enough memory.</translation>
    </message>
    <message>
        <source>

Datei: </source>
        <translation>

File: </translation>
    </message>
    <message>
        <source>
Grund: </source>
        <translation>
Reason: </translation>
    </message>
    <message>
        <source>Überlauf: %1 passt in keine 16-Bit-Ganzzahl.</source>
        <translation>Overflow: %1 does not fit in a 16-bit integer.</translation>
    </message>
</context>
<context>
    <name>LogAnsicht</name>
    <message>
        <source>Logdatei</source>
        <translation>Log file</translation>
    </message>
    <message>
        <source>fehlt (die Datei ist kürzer geworden)</source>
        <translation>missing (the file has got shorter)</translation>
    </message>
    <message>
        <source>unvollständig: die Zeile bricht ab</source>
        <translation>incomplete: the line breaks off</translation>
    </message>
    <message>
        <source>kein Buchstabe (Bytes %1)</source>
        <translation>not a letter (bytes %1)</translation>
    </message>
    <message>
        <source>Die Logdatei ist leer.</source>
        <translation>The log file is empty.</translation>
    </message>
    <message>
        <source>Zeichen %1: %2</source>
        <translation>Character %1: %2</translation>
    </message>
    <message>
        <source>Die Logdatei ist leer: der Lauf endete vor seinem ersten Zeichen.</source>
        <translation>The log file is empty: the run ended before its first character.</translation>
    </message>
</context>
<context>
    <name>Logbetrachter</name>
    <message>
        <source>&amp;Rückwärts</source>
        <translation>&amp;Backwards</translation>
    </message>
    <message>
        <source>&amp;Vorwärts</source>
        <translation>F&amp;orwards</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Nummer</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Gehe zu Zeichen Nummer</source>
        <translation>Go to character number</translation>
    </message>
    <message>
        <source>Gesuchte Buchstaben</source>
        <translation>Letters to find</translation>
    </message>
    <message>
        <source>Fortschritt der Suche</source>
        <translation>Progress of the search</translation>
    </message>
    <message>
        <source>Fortschritt der Zählung</source>
        <translation>Progress of the count</translation>
    </message>
    <message>
        <source>Gehe zu &amp;Zeichen:</source>
        <translation>Go to &amp;character:</translation>
    </message>
    <message>
        <source>Suchen &amp;nach:</source>
        <translation>Fin&amp;d:</translation>
    </message>
    <message>
        <source>Verteilung der Buchstaben:</source>
        <translation>Distribution of the letters:</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Im &amp;Texteditor öffnen</source>
        <translation>Open in &amp;Text Editor</translation>
    </message>
    <message>
        <source>Im Datei&amp;manager zeigen</source>
        <translation>Show in File &amp;Manager</translation>
    </message>
    <message>
        <source>&amp;Neu laden</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Gehe zu</source>
        <translation>&amp;Go</translation>
    </message>
    <message>
        <source>Zu &amp;Zeichen Nummer …</source>
        <translation>To &amp;Character Number …</translation>
    </message>
    <message>
        <source>Zum &amp;Anfang</source>
        <translation>To the &amp;Start</translation>
    </message>
    <message>
        <source>Zum &amp;Ende</source>
        <translation>To the &amp;End</translation>
    </message>
    <message>
        <source>Zu den &amp;markierten Zeichen</source>
        <translation>To the &amp;Marked Characters</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>&amp;Suchen …</source>
        <translation>&amp;Find …</translation>
    </message>
    <message>
        <source>&amp;Weitersuchen</source>
        <translation>Find &amp;Next</translation>
    </message>
    <message>
        <source>&amp;Rückwärts suchen</source>
        <translation>Find &amp;Previous</translation>
    </message>
    <message>
        <source>Suche &amp;abbrechen</source>
        <translation>&amp;Cancel Search</translation>
    </message>
    <message>
        <source>Die Datei lässt sich nicht neu laden: %1 Gezeigt wird weiter, was sie war.</source>
        <translation>The file cannot be reloaded: %1 What it was is still shown.</translation>
    </message>
    <message>
        <source>%1 – %2 Zeichen</source>
        <translation>%1 – %2 characters</translation>
    </message>
    <message>
        <source> – Dovevad-Logbetrachter</source>
        <translation> – Dovevad log viewer</translation>
    </message>
    <message>
        <source>%1 Gezeigt wird weiter, was sie enthielt; ihre %2 auf dem Datenträger werden erst frei, wenn dieses Fenster schließt.</source>
        <translation>%1 What it held is still shown; its %2 on the disk are freed only when this window closes.</translation>
    </message>
    <message>
        <source>Die Logdatei wurde gelöscht.</source>
        <translation>The log file has been deleted.</translation>
    </message>
    <message>
        <source>Unter dem Namen der Logdatei steht jetzt eine andere Datei.</source>
        <translation>Another file now stands under the log file&apos;s name.</translation>
    </message>
    <message>
        <source>„%1“</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>Zeichen %1</source>
        <translation>character %1</translation>
    </message>
    <message>
        <source>Zeichen %1 bis %2</source>
        <translation>characters %1 to %2</translation>
    </message>
    <message>
        <source>Gefunden: Eine leere Zeichenfolge braucht kein Zeichen.</source>
        <translation>Found: an empty string needs no character.</translation>
    </message>
    <message>
        <source>Angehalten, bevor ein Buchstabe von „%1“ kam.</source>
        <translation>Stopped before a letter of “%1” came.</translation>
    </message>
    <message>
        <source>Die Datei ist kürzer, als Dovevad sie schrieb: Die Zeichen %1 bis %2 fehlen.</source>
        <translation>The file is shorter than Dovevad wrote it: characters %1 to %2 are missing.</translation>
    </message>
    <message>
        <source>An der Stelle, die Dovevad nennt (%1), steht nicht %2: Die Datei hat sich geändert.</source>
        <translation>The place Dovevad names (%1) does not hold %2: the file has changed.</translation>
    </message>
    <message>
        <source>Gefunden: %1 als %2.</source>
        <translation>Found: %1 as %2.</translation>
    </message>
    <message>
        <source>Angehalten. Am nächsten bisher: %1, %2 von %3 Buchstaben, nach %4 Zeichen (%5).</source>
        <translation>Stopped. Closest so far: %1, %2 of %3 letters, after %4 characters (%5).</translation>
    </message>
    <message>
        <source>gefunden</source>
        <translation>found</translation>
    </message>
    <message>
        <source>am nächsten bisher</source>
        <translation>closest so far</translation>
    </message>
    <message>
        <source>Die Logdatei ist leer.</source>
        <translation>The log file is empty.</translation>
    </message>
    <message>
        <source>Bitte eine Nummer von 1 bis %1 eingeben.</source>
        <translation>Please enter a number from 1 to %1.</translation>
    </message>
    <message>
        <source>Bitte die gesuchten Buchstaben eingeben; nur A bis Z kommen in der Logdatei vor.</source>
        <translation>Please enter the letters to find; only A to Z occur in the log file.</translation>
    </message>
    <message>
        <source>Suche nach „%1“ …</source>
        <translation>Searching for “%1” …</translation>
    </message>
    <message>
        <source>„%1“ kommt in der Logdatei nicht vor.</source>
        <translation>“%1” does not occur in the log file.</translation>
    </message>
    <message>
        <source>Fundstelle</source>
        <translation>match</translation>
    </message>
    <message>
        <source>„%1“ gefunden: Zeichen %2 bis %3</source>
        <translation>“%1” found: characters %2 to %3</translation>
    </message>
    <message>
        <source>, wieder von vorn gesucht</source>
        <translation>, searched again from the start</translation>
    </message>
    <message>
        <source>, wieder vom Ende her gesucht</source>
        <translation>, searched again from the end</translation>
    </message>
    <message>
        <source>Suche abgebrochen.</source>
        <translation>Search cancelled.</translation>
    </message>
    <message>
        <source>Der Desktop konnte das nicht öffnen:

%1</source>
        <translation>The desktop could not open this:

%1</translation>
    </message>
    <message>
        <source>Dovevad-Logbetrachter</source>
        <translation>Dovevad log viewer</translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>beschädigt</source>
        <translation>damaged</translation>
    </message>
    <message>
        <source>bricht ab</source>
        <translation>cut short</translation>
    </message>
    <message>
        <source>gelöscht</source>
        <translation>deleted</translation>
    </message>
    <message>
        <source>durch eine andere Datei ersetzt</source>
        <translation>replaced by another file</translation>
    </message>
    <message>
        <source>geändert</source>
        <translation>changed</translation>
    </message>
    <message>
        <source>Dovevad löscht diese Aufzeichnung, wenn es schließt; „Aufzeichnung speichern unter …“ (%1) behält eine Kopie.</source>
        <translation>Dovevad deletes this record when it closes; &quot;Save Record As…&quot; (%1) keeps a copy.</translation>
    </message>
</context>
<context>
    <name>Logdatei</name>
    <message>
        <source>Die Datei gibt es nicht.</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>Die Datei darf nicht gelesen werden.</source>
        <translation>The file may not be read.</translation>
    </message>
    <message>
        <source>Die Datei lässt sich nicht öffnen: %1.</source>
        <translation>The file cannot be opened: %1.</translation>
    </message>
    <message>
        <source>Das ist ein Ordner, keine Logdatei.</source>
        <translation>This is a folder, not a log file.</translation>
    </message>
    <message>
        <source>Das ist keine gewöhnliche Datei.</source>
        <translation>This is not a regular file.</translation>
    </message>
    <message>
        <source>Zeile %1 ist kein Buchstabe mit Zeilenende: Das ist wohl keine Logdatei von Dovevad. Gezeigt wird, was darin steht.</source>
        <translation>Line %1 is not a letter with a line end: this is probably not a log file of Dovevad&apos;s. What it holds is shown.</translation>
    </message>
    <message>
        <source>Die letzte Zeile bricht ab: Die Datei endet mitten in einer Zeile.</source>
        <translation>The last line breaks off: the file ends in the middle of a line.</translation>
    </message>
</context>
<context>
    <name>Oeffner</name>
    <message>
        <source>Ö&amp;ffnen …</source>
        <translation>&amp;Open …</translation>
    </message>
    <message>
        <source>Logdatei oder Aufzeichnung öffnen</source>
        <translation>Open a log file or record</translation>
    </message>
    <message>
        <source>Logdateien und Aufzeichnungen von Dovevad (*.txt *.dovrec);;Alle Dateien (*)</source>
        <translation>Dovevad&apos;s log files and records (*.txt *.dovrec);;All files (*)</translation>
    </message>
    <message>
        <source>Die Logdatei lässt sich nicht zeigen:

%1

%2</source>
        <translation>The log file cannot be shown:

%1

%2</translation>
    </message>
    <message>
        <source>Dovevad-Logbetrachter</source>
        <translation>Dovevad log viewer</translation>
    </message>
</context>
<context>
    <name>QtCommandLine</name>
    <message>
        <source>%1: %2; %1 --help sagt, was geht.
</source>
        <translation>%1: %2; %1 --help tells what works.
</translation>
    </message>
    <message>
        <source>Unbekannte Option „%1“</source>
        <translation>Unknown option “%1”</translation>
    </message>
</context>
<context>
    <name>Speicherung</name>
    <message>
        <source>die gezeigte Datei ist kürzer geworden</source>
        <translation>the file shown has become shorter</translation>
    </message>
    <message>
        <source>abgebrochen</source>
        <translation>cancelled</translation>
    </message>
</context>
<context>
    <name>Textausgabe</name>
    <message>
        <source>Die Standardausgabe nimmt nichts mehr an: %1</source>
        <translation>Standard output takes nothing more: %1</translation>
    </message>
</context>
<context>
    <name>Uebergabe</name>
    <message>
        <source>Zeichenfolge wurde gefunden!</source>
        <translation>The string was found!</translation>
    </message>
    <message>
        <source>Gefunden!</source>
        <translation>Found!</translation>
    </message>
    <message>
        <source>Der Datenträger ist fast voll. Damit andere Programme ihre Dateien noch speichern können, hat Dovevad aufgehört zu tippen.

Die Logdatei enthält %1 Zeichen und belegt %2.</source>
        <translation>The disk is nearly full. So that other programs can still save their files, Dovevad has stopped typing.

The log file holds %1 characters and takes up %2.</translation>
    </message>
    <message>
        <source>Die Logdatei konnte nicht in einem Textbetrachter geöffnet werden. Sie bleibt hier erhalten:

%1</source>
        <translation>The log file could not be opened in a text viewer. It is kept here:

%1</translation>
    </message>
    <message>
        <source>Der Datenträger ist fast voll. Damit andere Programme ihre Dateien noch speichern können, hat Dovevad aufgehört zu tippen.

Die Aufzeichnung enthält %1 Zeichen und belegt %2.</source>
        <translation>The disk is nearly full. So that other programs can still save their files, Dovevad has stopped typing.

The record holds %1 characters and takes up %2.</translation>
    </message>
    <message>
        <source>Der Datenträger ist fast voll. Damit andere Programme ihre Dateien noch speichern können, schreibt Dovevad nach Zeichen %1 nichts mehr in die Logdatei.

Der Lauf geht weiter: Jedes Zeichen steht in seiner Aufzeichnung, die kaum Platz braucht:

%2</source>
        <translation>The disk is nearly full. So that other programs can still save their files, Dovevad writes nothing more into the log file after character %1.

The run goes on: every character is in its record, which takes hardly any space:

%2</translation>
    </message>
    <message>
        <source>Die Zeichen dieses Laufs stehen nur in seiner Aufzeichnung:</source>
        <translation>This run’s characters are in its record only:</translation>
    </message>
    <message>
        <source>Die ersten %1 Zeichen dieses Laufs stehen in der Logdatei, alle %2 in seiner Aufzeichnung:</source>
        <translation>The first %1 characters of this run are in the log file, all %2 in its record:</translation>
    </message>
    <message>
        <source>Als Text, Zeile für Zeile wie in einer Logdatei, gibt sie dieser Befehl aus, etwa für grep oder in eine Datei auf einem Datenträger mit Platz für %1:</source>
        <translation>As text, line for line as in a log file, this command puts it out, for grep, say, or into a file on a disk with room for %1:</translation>
    </message>
    <message>
        <source>Dovevad löscht die Aufzeichnung, wenn es schließt. Um sie zu behalten, kopieren Sie sie vorher an einen anderen Ort.</source>
        <translation>Dovevad deletes the record when it closes. To keep it, copy it elsewhere before then.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung fasst keine weiteren Zeichen: Nach %1 Zeichen hat Dovevad aufgehört zu tippen.</source>
        <translation>The record holds no more characters: Dovevad has stopped typing after %1 characters.</translation>
    </message>
</context>
</TS>
