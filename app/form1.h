#pragma once

#include "desktopnotifications.h"
#include "generator.h"
#include "runview.h"
#include "sleepinhibitor.h"
#include "tempomessung.h"
#include "uebergabe.h"
#include "wartezeit.h"

#include <QElapsedTimer>
#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The program's one window: the target, the counter and the start/stop
// button. Every action of the program begins in one of its four handlers.
class Form1 : public QWidget, private RunView, public Generator
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr, const QString &logPath = Generator::chooseLogPath());

    // Has screen readers take the window for a window, not a filler. Call it
    // once the application object is made and before any window is: an
    // interface once made for a window is kept, and an application object's
    // end forgets the factories.
    static void offerToScreenReaders();

    // Ends the program as a close does where the window can no longer be
    // reached: removes the log and ends at once. Safe from any thread.
    void endWithoutDisplay();

    // Tells the user that the desktop did not show the log, and where it is.
    void meldeNichtGeoeffnet(const QString &Datei) { m_uebergabe.meldeNichtGeoeffnet(Datei); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Command1_Click();
    void Command2_Click();
    void Text1_LostFocus();
    void Form_Unload(qint16 &Cancel);

    void describeAll();
    void connectAll();
    void showIdle();
    void showBusy();
    void showTargetTip();
    void tellCount();
    void colourLabels();
    void measureSpeed();

    QString targetText() const override;
    void showCount(const QString &caption) override;
    void processPendingEvents() override;
    void found() override;
    void recordOnly(qint64 inLog, const QString &recordPath) override;
    void endRun() override;
    void finished(const Laufende &ende) override;
    // Typing is over, by itself: a box that waits for the user keeps
    // nobody's machine awake, and a user elsewhere is told.
    void runEnded(const QString &summary, const QString &body);
    // Tells a user who is elsewhere how the run ended.
    void notifyEnd(const QString &summary, const QString &body);

    QLineEdit *Text1;
    QLabel *Label2;
    QLabel *Label3;
    QPushButton *Command1;
    QPushButton *Command2;

    bool m_shownOnce = false;
    QElapsedTimer m_countTold;
    // A run is between its start and the hand-over of its log.
    bool m_runActive = false;
    // A start was clicked while a stopped run was still finishing.
    bool m_startPending = false;

    // Letters per second of the last run that lasted long enough to say,
    // else as measured once the window was up; 0 until then.
    double m_lettersPerSecond = 0;
    // Windows a second of a compact run's search on one core, and of the
    // card and the cores together; 0 until measured.
    double m_kernSchritte = 0;
    double m_gemeinsamSchritte = 0;
    // The boxes of a run, and its files handed to the desktop.
    Uebergabe m_uebergabe;
    // Of the current or last run.
    QElapsedTimer m_runClock;
    QString m_runZiel;
    std::optional<Wartezeit> m_runWartezeit;
    double m_runLettersPerSecond = 0;
    // The machine stays awake while a run types.
    SleepInhibitor *m_wach;
    DesktopNotifications *m_benachrichtigungen;
    // Measures the first speed; last, so that it is joined first.
    Tempomessung m_tempo;
};
