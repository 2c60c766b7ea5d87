#pragma once

#include "betrachteraufruf.h"
#include "laufende.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

// What the user is told of a run, in words, and what becomes of its files
// when it is over: a small log goes to the desktop's text viewer, a large
// one and a record to Dovevad's own viewer, and where neither can show
// them, a box says where they are. The window shows the boxes; a test
// sees them.
class Uebergabe
{
    Q_DECLARE_TR_FUNCTIONS(Uebergabe)

public:
    // A box of the given prompt, style (MsgBox::Information, ...) and
    // title that waits for the user; one that waits for nobody.
    using Box = std::function<void(const QString &prompt, int style, const QString &title)>;
    using Hinweis = std::function<void(const QString &prompt, const QString &title)>;
    Uebergabe(Box box, Hinweis hinweis) : m_box(std::move(box)), m_hinweis(std::move(hinweis)) {}

    // Up to this size (100.000 letters) the desktop's text editors show a
    // log within a second or two; a larger one goes to the program's own
    // viewer, which shows a log of any size at once.
    static constexpr qint64 KleineLogdatei = 300'000;

    // What the viewer is told of a finished run: the marked letters end
    // where the target or the closest match ends.
    static Betrachteraufruf::Ausgang ausgangVon(const Laufende &ende);

    void gefunden();
    // From letter inLog on the letters are in the record only.
    void nurNochAufzeichnung(qint64 inLog, const QString &recordPath);
    // The finished run's files to the desktop or the viewer.
    void uebergeben(quintptr hWnd, const Laufende &ende);
    // What ended a run that the disk or its record ended.
    void meldeVoll(const Laufende &ende);
    // Hands a log to the desktop's viewer, or a large one to the program's
    // own; says so where neither shows it.
    bool DateiOeffnen(quintptr hWnd, const QString &Datei);
    // Tells the user that the log could not be shown, and where it is.
    void meldeNichtGeoeffnet(const QString &Datei);

private:
    // Where the run's letters are, and how they become text, where the
    // viewer cannot show them.
    void meldeAufzeichnung(const Laufende &ende);

    const Box m_box;
    const Hinweis m_hinweis;
    // What the viewer is told of the run whose files are handed over.
    Betrachteraufruf::Ausgang m_ausgang;
};
