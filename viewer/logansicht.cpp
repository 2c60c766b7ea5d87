#include "logansicht.h"

#include "logdatei.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <climits>

namespace {

constexpr int Rand = 8;

} // namespace

LogAnsicht::LogAnsicht(QWidget *parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("logAnsicht"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setAccessibleName(tr("Logdatei"));
}

void LogAnsicht::setDatei(std::shared_ptr<const Logdatei> datei)
{
    m_datei = std::move(datei);
    m_fund = {};
    m_oben = m_aktuell = m_anker = 1;
    dateiGeaendert();
}

void LogAnsicht::dateiGeaendert()
{
    // Whoever watches the end of a growing log goes on watching it.
    const bool amEnde = m_aktuell == m_zeilen;
    m_zeilen = zeilen();
    m_aktuell = std::clamp<qint64>(m_aktuell, 1, std::max<qint64>(m_zeilen, 1));
    setOben(m_oben);
    if (amEnde)
        gehezu(m_zeilen);
    viewport()->update();
}

void LogAnsicht::setZiel(const Markierung &ziel)
{
    m_ziel = ziel;
    viewport()->update();
}

void LogAnsicht::setFund(const Markierung &fund)
{
    m_fund = fund;
    viewport()->update();
}

qint64 LogAnsicht::zeilen() const
{
    return m_datei ? m_datei->zeichen() + (m_datei->rest() > 0) : 0;
}

int LogAnsicht::zeilenhoehe() const
{
    return fontMetrics().height() + 4;
}

qint64 LogAnsicht::sichtbar() const
{
    return std::max(1, viewport()->height() / zeilenhoehe());
}

qint64 LogAnsicht::obenHoechstens() const
{
    return std::max<qint64>(1, zeilen() - sichtbar() + 1);
}

void LogAnsicht::setOben(qint64 zeile)
{
    m_oben = std::clamp<qint64>(zeile, 1, obenHoechstens());
    scrollBalkenSetzen();
    viewport()->update();
}

void LogAnsicht::scrollBalkenSetzen()
{
    const qint64 hoechstens = obenHoechstens() - 1;
    m_balkenSchritt = std::max<qint64>(1, (hoechstens + INT_MAX / 2 - 1) / (INT_MAX / 2));
    m_setzt = true;
    QScrollBar *balken = verticalScrollBar();
    balken->setRange(0, int(hoechstens / m_balkenSchritt));
    balken->setPageStep(int(std::max<qint64>(1, sichtbar() / m_balkenSchritt)));
    balken->setSingleStep(1);
    balken->setValue(m_oben - 1 == hoechstens ? balken->maximum() : int((m_oben - 1) / m_balkenSchritt));
    m_setzt = false;
}

void LogAnsicht::scrollContentsBy(int, int)
{
    if (m_setzt)
        return;
    const QScrollBar *balken = verticalScrollBar();
    // The bar's last step is the log's end, however the rows divide.
    m_oben = balken->value() == balken->maximum() ? obenHoechstens() : 1 + qint64(balken->value()) * m_balkenSchritt;
    viewport()->update();
}

void LogAnsicht::gehezu(qint64 zeile, bool erweitern)
{
    const qint64 neu = std::clamp<qint64>(zeile, 1, std::max<qint64>(zeilen(), 1));
    if (neu < m_oben)
        setOben(neu);
    else if (neu >= m_oben + sichtbar())
        setOben(neu - sichtbar() + 1);
    m_aktuell = neu;
    if (!erweitern)
        m_anker = neu;
    m_anker = std::clamp<qint64>(m_anker, 1, std::max<qint64>(zeilen(), 1));
    ansagen();
    viewport()->update();
}

void LogAnsicht::zeigen(qint64 erste, qint64 letzte, qint64 zeile)
{
    setOben(erste - std::max<qint64>(0, (sichtbar() - (letzte - erste + 1)) / 2));
    gehezu(zeile);
}

const LogAnsicht::Markierung *LogAnsicht::markierung(qint64 zeile) const
{
    if (m_fund.enthaelt(zeile))
        return &m_fund;
    return m_ziel.enthaelt(zeile) ? &m_ziel : nullptr;
}

QString LogAnsicht::zeilentext(const char *bytes, qsizetype size)
{
    if (size < Logdatei::Zeilenlaenge)
        return size == 0 ? tr("fehlt (die Datei ist kürzer geworden)")
                         : tr("unvollständig: die Zeile bricht ab");
    if (Logdatei::istZeile(bytes))
        return QString(QLatin1Char(bytes[0]));
    return tr("kein Buchstabe (Bytes %1)")
        .arg(QString::fromLatin1(QByteArray(bytes, Logdatei::Zeilenlaenge).toHex(' ')));
}

QString LogAnsicht::beschreibung(qint64 zeile) const
{
    if (zeilen() == 0)
        return tr("Die Logdatei ist leer.");
    const QByteArray bytes = m_datei->zeilen(zeile, 1);
    QString text = tr("Zeichen %1: %2").arg(Logdatei::nummer(zeile), zeilentext(bytes.constData(), bytes.size()));
    if (const Markierung *mark = markierung(zeile))
        text += QStringLiteral(", ") + mark->name;
    return text;
}

void LogAnsicht::ansagen()
{
    // A screen reader reads the current row as the view's name.
    setAccessibleName(beschreibung(m_aktuell));
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void LogAnsicht::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QPalette &colours = palette();
    const int hoehe = zeilenhoehe();
    if (zeilen() == 0) {
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(viewport()->rect().adjusted(Rand, Rand, -Rand, -Rand), Qt::AlignCenter | Qt::TextWordWrap,
                         m_datei && m_datei->isOpen() ? tr("Die Logdatei ist leer: der Lauf endete vor "
                                                                       "seinem ersten Zeichen.")
                                                      : QString());
        return;
    }
    const QFontMetrics metrics = fontMetrics();
    const int zahlBreite = metrics.horizontalAdvance(Logdatei::nummer(std::max<qint64>(zeilen(), 1'000'000)));
    const int buchstabeX = Rand + zahlBreite + 3 * Rand;
    QFont fett = font();
    fett.setBold(true);
    const int nameX = buchstabeX + QFontMetrics(fett).horizontalAdvance(u'W') + 3 * Rand;

    const qint64 anzahl = std::min(sichtbar() + 1, zeilen() - m_oben + 1);
    const QByteArray bytes = m_datei->zeilen(m_oben, anzahl);
    for (qint64 i = 0; i < anzahl; ++i) {
        const qint64 zeile = m_oben + i;
        const QRect row(0, int(i) * hoehe, viewport()->width(), hoehe);
        const Markierung *mark = markierung(zeile);
        QColor text = colours.color(QPalette::Text);
        if (auswahlBis() > auswahlVon() && zeile >= auswahlVon() && zeile <= auswahlBis()) {
            QColor auswahl = colours.color(QPalette::Highlight);
            auswahl.setAlphaF(0.55);
            painter.fillRect(row, auswahl);
        }
        if (mark == &m_ziel) {
            painter.fillRect(row, colours.color(QPalette::Highlight));
            text = colours.color(QPalette::HighlightedText);
        } else if (mark) {
            QColor fund = colours.color(QPalette::Highlight);
            fund.setAlphaF(0.35);
            painter.fillRect(row, fund);
        }
        const qsizetype offset = i * Logdatei::Zeilenlaenge;
        const qsizetype size = std::clamp<qsizetype>(bytes.size() - offset, 0, Logdatei::Zeilenlaenge);
        const bool buchstabe = size == Logdatei::Zeilenlaenge && Logdatei::istZeile(bytes.constData() + offset);
        painter.setPen(text);
        painter.setFont(font());
        painter.drawText(QRect(Rand, row.y(), zahlBreite, hoehe), Qt::AlignRight | Qt::AlignVCenter, Logdatei::nummer(zeile));
        painter.setFont(buchstabe ? fett : font());
        painter.drawText(QRect(buchstabeX, row.y(), row.width() - buchstabeX, hoehe), Qt::AlignLeft | Qt::AlignVCenter,
                         zeilentext(bytes.constData() + offset, size));
        if (mark && buchstabe) {
            painter.setFont(font());
            painter.drawText(QRect(nameX, row.y(), row.width() - nameX, hoehe), Qt::AlignLeft | Qt::AlignVCenter,
                             mark->name);
        }
        if (zeile == m_aktuell) {
            painter.setPen(QPen(text, hasFocus() ? 2 : 1, hasFocus() ? Qt::SolidLine : Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(row.adjusted(1, 1, -2, -2));
        }
    }
}

void LogAnsicht::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    // The current row stays in sight, the end of the log at the bottom.
    setOben(std::clamp(m_oben, m_aktuell - sichtbar() + 1, m_aktuell));
}

void LogAnsicht::keyPressEvent(QKeyEvent *event)
{
    const bool strg = event->modifiers() & Qt::ControlModifier;
    const bool umschalt = event->modifiers() & Qt::ShiftModifier; // selects
    switch (event->key()) {
    case Qt::Key_Up: gehezu(m_aktuell - 1, umschalt); break;
    case Qt::Key_Down: gehezu(m_aktuell + 1, umschalt); break;
    case Qt::Key_PageUp: gehezu(m_aktuell - sichtbar(), umschalt); break;
    case Qt::Key_PageDown: gehezu(m_aktuell + sichtbar(), umschalt); break;
    case Qt::Key_Home:
        if (!strg) return QAbstractScrollArea::keyPressEvent(event);
        gehezu(1, umschalt);
        break;
    case Qt::Key_End:
        if (!strg) return QAbstractScrollArea::keyPressEvent(event);
        gehezu(zeilen(), umschalt);
        break;
    default: return QAbstractScrollArea::keyPressEvent(event);
    }
    event->accept();
}

void LogAnsicht::wheelEvent(QWheelEvent *event)
{
    // Three rows a notch, as item views scroll.
    setOben(m_oben - qint64(event->angleDelta().y()) * 3 / 120);
    event->accept();
}

void LogAnsicht::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    // The context menu acts on the rows selected.
    if (event->button() == Qt::RightButton && m_oben + event->position().toPoint().y() / zeilenhoehe() >= auswahlVon()
        && m_oben + event->position().toPoint().y() / zeilenhoehe() <= auswahlBis())
        return;
    gehezu(m_oben + event->position().toPoint().y() / zeilenhoehe(), event->modifiers() & Qt::ShiftModifier);
}

void LogAnsicht::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    ansagen();
    viewport()->update();
}

void LogAnsicht::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void LogAnsicht::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setOben(m_oben);
}
