#include "form1.h"

#include "auskunft.h"
#include "karte.h"
#include "msgbox.h"
#include "program.h"
#include "runtimeerror.h"
#include "stringbereinigen.h"
#include "tipprunde.h"
#include "vortipper.h"
#include "windowhints.h"
#include "zahlen.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStorageInfo>
#include <QTimer>

#include <cmath>
#include <limits>

namespace {

const QString IdleCaption = QStringLiteral("Type, Zizuzod, Type!");

QString helpText()
{
    return Form1::tr(
    "Der Zadorod-Izereridi soll das Dovevad Theorem für eine feste Zeichenfolge beweisen. "
    "Man gibt eine Zeichenfolge ein und der Generator erzeugt solange zufällig Buchstaben bis er "
    "die eingegebene Zeichenfolge findet. Ist dies geschehen werden ihnen die Zeichen angezeigt.")
        + QStringLiteral("\r\n") + Form1::tr("Für weitere Hilfe: dovevad@example.org");
}

// The layout is kept in twips, 15 to a pixel at 96 dpi; Qt's high-DPI
// scaling looks after other screens.
QRect fromTwips(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return qRound(twips / 15.0); };
    return QRect(px(left), px(top), px(width), px(height));
}

QFont sansSerif(qreal points)
{
    // The face the window was designed in where it is installed, else one of
    // its width: the wider common faces would not fit the labels.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

// Where only a wider face than the designed one is installed, shrinks the
// label's font to the largest size at which its text fits the room.
void fitFont(QLabel *label, int room)
{
    QFont font = label->font();
    while (QFontMetricsF(font).horizontalAdvance(label->text()) > room && font.pointSizeF() > 1.0)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

QString text1Description()
{
    return Form1::tr("Die gesuchte Zeichenfolge; nur die Buchstaben A bis Z zählen.");
}

QString label3Description()
{
    return Form1::tr("Wie viele Zeichen der laufende oder letzte Durchlauf getippt hat.");
}

// The contrast of two colours as the WCAG reckon it, from 1 to 21.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &colour) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Screen readers take the window for a window, not for a filler.
QAccessibleInterface *windowAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("Form1") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}


void describe(QWidget *widget, const QString &name, const QString &description)
{
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

template <typename Widget>
Widget *place(Widget *widget, const char *name, const QRect &geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

void Form1::offerToScreenReaders()
{
    QAccessible::installFactory(windowAccessible);
}

Form1::Form1(QWidget *parent, const QString &logPath)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , Generator(static_cast<RunView &>(*this), nullptr, logPath)
    , Text1(place(new QLineEdit(QStringLiteral("ZEICHENFOLGE"), this), "Text1",
                  fromTwips(2595, 240, 5160, 555)))
    , Label2(place(new QLabel(tr("Anzahl der generierten Zeichen:"), this), "Label2",
                   fromTwips(128, 960, 4215, 375)))
    , Label3(place(new QLabel(QStringLiteral("0 "), this), "Label3", fromTwips(4328, 960, 5895, 375)))
    , Command1(place(new QPushButton(IdleCaption, this), "Command1", fromTwips(3008, 1560, 4335, 615)))
    , Command2(place(new QPushButton(QStringLiteral("?"), this), "Command2", fromTwips(9720, 1680, 495, 495)))
    , m_uebergabe([this](const QString &prompt, int style, const QString &title) { MsgBox::show(this, prompt, style, title); },
                  [this](const QString &prompt, const QString &title) { MsgBox::notice(this, prompt, MsgBox::Exclamation, title); })
    , m_wach(new SleepInhibitor(this))
    , m_benachrichtigungen(new DesktopNotifications(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Dovevad"));
    setWindowIcon(QIcon(QStringLiteral(":/dovevad.png")));
    setFixedSize(fromTwips(0, 0, 10350, 2280).size());

    colourLabels();

    Text1->setMaxLength(std::numeric_limits<int>::max()); // Qt's default stops at 32767
    Text1->setFont(sansSerif(18));
    Label2->setFont(sansSerif(13.5));
    Label3->setFont(sansSerif(13.5));
    // The count's box overlaps the label's by a pixel; its digits need no
    // fitting, as even the largest count fills little of its box.
    fitFont(Label2, Label3->x() - Label2->x());
    for (QPushButton *button : {Command1, Command2}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();
    describeAll();
    if (const QScreen *display = screen())
        move(display->availableGeometry().center() - rect().center());
    connectAll();
}

// What screen readers read; the window starts idle, which also names
// Command1 for them.
void Form1::describeAll()
{
    describe(this, QStringLiteral("Dovevad"),
             tr("Tippt zufällige Buchstaben, bis die eingegebene Zeichenfolge erscheint."));
    describe(Text1, tr("Zeichenfolge"), text1Description());
    describe(Label2, tr("Anzahl der generierten Zeichen"), tr("Beschriftung des Zählers."));
    tellCount(); // the counter's name is the count, as a screen reader reads it
    describe(Command2, tr("Hilfe"), tr("Zeigt die Hilfe an."));
    showIdle();
}

void Form1::connectAll()
{
    // What a run for the target would cost, and what the run costs.
    connect(Text1, &QLineEdit::textChanged, this, &Form1::showTargetTip);
    showTargetTip();

    Text1->installEventFilter(this);
    Command1->installEventFilter(this);
    Command2->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { Program::runHandler(this, [this] { Command1_Click(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { Program::runHandler(this, [this] { Command2_Click(); }); });
    connect(m_benachrichtigungen, &DesktopNotifications::activated, this, [this] {
        showNormal();
        raise();
        activateWindow();
    });
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !m_shownOnce) {
        m_shownOnce = true;
        // After the map request, which Qt has sent by now.
        QTimer::singleShot(0, this, [this] { WindowHints::skipTaskbar(this); });
        activateWindow();
        measureSpeed();
    }
}

// On a thread of its own, once the window is up, so that nobody waits for
// the estimate; a run that lasted long enough to say has the last word.
void Form1::measureSpeed()
{
    m_tempo.starten(this, [this](const Tempomessung::Messwerte &werte) {
        if (m_lettersPerSecond == 0)
            m_lettersPerSecond = werte.zeichenProSekunde;
        m_kernSchritte = werte.kernSchritte;
        m_gemeinsamSchritte = werte.gemeinsamSchritte;
        // The card is the run's from now on; a run already going types without it.
        setKarte(werte.karte, werte.kartenSchritte, werte.ohneKarte);
        showTargetTip();
    });
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == Command1 || watched == Command2)) {
        // Return and Enter press the focused button, as Space does, without
        // making either button the window's default.
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat()) {
            static_cast<QPushButton *>(watched)->click();
            return true;
        }
    }
    if (watched == Text1 && event->type() == QEvent::FocusOut) {
        // Switching to another program is no reason to touch the text.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Program::runHandler(this, [this] { Text1_LostFocus(); });
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    qint16 cancel = 0;
    Program::runHandler(this, [this, &cancel] { Form_Unload(cancel); });
    event->setAccepted(cancel == 0);
}

void Form1::Command1_Click()
{
    if (laufend || m_startPending) {
        m_startPending = false;
        showIdle();
        return;
    }
    showBusy();
    if (m_runActive) {
        // A run stopped in this same round of events still has its log
        // open; it hands it on first, then the loop below starts anew.
        m_startPending = true;
        return;
    }
    m_runActive = true;
    do {
        m_startPending = false;
        laufend = true;
        Anzahl = {};
        Label3->setText(QStringLiteral("0 "));
        LogdateiLoeschen();
        m_runZiel = Stringbereinigen(Text1->text()).toUpper();
        m_runWartezeit.emplace(m_runZiel);
        m_runClock.start();
        tellCount();
        m_wach->inhibit(tr("Dovevad tippt: Ein Lauf sucht „%1“.").arg(m_runZiel));
        try {
            Generieren();
        } catch (const RuntimeError &error) {
            notifyEnd(tr("Dovevad hat aufgehört zu tippen"), error.text());
            throw;
        }
        m_wach->release();
        tellCount();
        // Only a run that wrote its log all along says the log's pace.
        if (m_runClock.elapsed() >= 200 && m_runLettersPerSecond > 0 && zeichenImLog() < 0) {
            m_lettersPerSecond = m_runLettersPerSecond;
            showTargetTip();
        }
    } while (m_startPending);
    m_runActive = false;
}

void Form1::showIdle()
{
    Command1->setText(IdleCaption);
    describe(Command1, IdleCaption, tr("Beginnt zu tippen, bis die Zeichenfolge erscheint."));
    laufend = false;
    Text1->setEnabled(true);
}

void Form1::showBusy()
{
    Command1->setText(QStringLiteral("Stop"));
    describe(Command1, QStringLiteral("Stop"), tr("Hält das Tippen an."));
    Text1->setEnabled(false);
}

void Form1::Command2_Click()
{
    MsgBox::show(this, helpText(), MsgBox::Question, tr("Hilfe"));
}

void Form1::Text1_LostFocus()
{
    Text1->setText(Stringbereinigen(Text1->text()));
    Text1->setText(Text1->text().toUpper());
}

void Form1::Form_Unload(qint16 &Cancel)
{
    Q_UNUSED(Cancel);
    m_wach->release(true); // nothing is sent after the end
    LogdateiLoeschen();
    // A run in progress never resumes: the end comes from inside its yield.
    Program::end(0);
}

void Form1::endWithoutDisplay()
{
    try {
        LogdateiLoeschen();
    } catch (const RuntimeError &) {
        // nobody is left to be told
    }
    Program::endFromAnyThread(0);
}

QString Form1::targetText() const
{
    return Text1->text();
}

void Form1::showCount(const QString &caption)
{
    Label3->setText(caption);
    const qint64 letters = Anzahl.whole();
    if (letters > 0 && m_runWartezeit) {
        m_runLettersPerSecond = double(letters) * 1e9 / double(std::max<qint64>(m_runClock.nsecsElapsed(), 1));
        Label3->setToolTip(Auskunft::zumLauf(m_runZiel, *m_runWartezeit, letters, m_runLettersPerSecond, naehe(), zeichenImLog()));
    }
    // A screen reader is told of the count at most once a second.
    if (m_countTold.hasExpired(1000))
        tellCount();
}

void Form1::tellCount()
{
    m_countTold.start();
    Label3->setAccessibleName(Label3->text().trimmed());
    Label3->setAccessibleDescription(Label3->toolTip().isEmpty() ? label3Description()
                                                                  : label3Description() + u'\n' + Label3->toolTip());
}

void Form1::colourLabels()
{
    // The labels take the theme's highlight colour where it reads against
    // the window, else its text colour.
    const QPalette theme = palette();
    const QColor highlight = theme.color(QPalette::Highlight);
    const QColor text = contrast(highlight, theme.color(QPalette::Window)) >= 3.0 ? highlight
                                                                                : theme.color(QPalette::WindowText);
    for (QLabel *label : {Label2, Label3}) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, text);
        label->setPalette(colours);
    }
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        colourLabels();
}

void Form1::showTargetTip()
{
    const QStorageInfo disk(QFileInfo(logPath()).path());
    const QString ziel = Stringbereinigen(Text1->text()).toUpper();
    Auskunft::Tempo tempo(m_lettersPerSecond);
    if (m_kernSchritte > 0) {
        // The card and the cores beside it, as a compact run for the target has them.
        const QByteArray letters = ziel.toLatin1();
        const std::string_view buchstaben(letters.constData(), size_t(letters.size()));
        const int kerne = Tipprunde::kerne(karte(), kartenSchritte(), buchstaben);
        // Where the card has failed since, the cores alone.
        tempo.suchschritte = karte() ? m_gemeinsamSchritte : m_kernSchritte * kerne;
        tempo.wo = Auskunft::wo(karte() ? karte()->name() : QString(), kerne, ohneKarte());
        tempo.eintraegeKompakt = Tipprunde::eintraegeJeSekunde(karte(), kartenSchritte(), buchstaben);
    }
    Text1->setToolTip(Auskunft::zumZiel(ziel, tempo,
                                        {quint64(disk.bytesAvailable()), quint64(disk.bytesTotal())}, kompakt()));
    Text1->setAccessibleDescription(text1Description() + u'\n' + Text1->toolTip());
}

void Form1::processPendingEvents()
{
    QCoreApplication::processEvents();
}

void Form1::endRun()
{
    showIdle();
}

void Form1::found()
{
    runEnded(tr("Gefunden: „%1“").arg(m_runZiel), QString());
    m_uebergabe.gefunden();
}

void Form1::recordOnly(qint64 inLog, const QString &recordPath)
{
    m_uebergabe.nurNochAufzeichnung(inLog, recordPath);
}

void Form1::finished(const Laufende &ende)
{
    showTargetTip(); // where the card has failed, the tooltip says so
    m_uebergabe.uebergeben(quintptr(winId()), ende);
    if (ende.wie != Laufende::Wie::Voll && ende.wie != Laufende::Wie::Grenze)
        return;
    runEnded(tr("Dovevad hat aufgehört zu tippen"),
             ende.wie == Laufende::Wie::Voll ? tr("Der Datenträger ist fast voll.") : tr("Die Aufzeichnung ist voll."));
    m_uebergabe.meldeVoll(ende);
}

void Form1::runEnded(const QString &summary, const QString &body)
{
    m_wach->release();
    const QString after = tr("Nach %1 Zeichen in %2.")
                              .arg(Zahlen::schreibweise().toString(Anzahl.whole()), Auskunft::dauer(m_runClock.nsecsElapsed() / 1e9));
    notifyEnd(summary, body.isEmpty() ? after : body + u' ' + after);
}

void Form1::notifyEnd(const QString &summary, const QString &body)
{
    // A user at the window sees the box.
    if (!isActiveWindow())
        m_benachrichtigungen->send(summary, body);
}
