#include "buchstabendiagramm.h"

#include "zahlen.h"

#include <QLocale>
#include <QPainter>

#include <cmath>
#include <numeric>

namespace {

constexpr int Rand = 4;

QString prozent(double wert)
{
    // Two figures after the point are what a fair log shows after a few
    // million letters; a plus says which way.
    const QString text = Zahlen::schreibweise().toString(wert, 'f', 2) + QStringLiteral(" %");
    return wert > 0 ? u'+' + text : text;
}

} // namespace

Buchstabendiagramm::Buchstabendiagramm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("buchstabendiagramm"));
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(tr("Verteilung der Buchstaben"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void Buchstabendiagramm::setZaehlung(const Buchstabenzaehlung &zaehlung)
{
    m_zaehlung = zaehlung;
    m_urteil = Statistik::urteilen(zaehlung.je);
    m_gezaehlt = true;
    setAccessibleDescription(zahlen());
    setToolTip(zahlen());
    update();
}

qint64 Buchstabendiagramm::summe() const
{
    return std::accumulate(m_zaehlung.je.begin(), m_zaehlung.je.end(), qint64(0));
}

double Buchstabendiagramm::abweichung(int buchstabe) const
{
    const qint64 alle = summe();
    return alle == 0 ? 0.0 : (double(m_zaehlung.je[buchstabe]) * 26.0 / double(alle) - 1.0) * 100.0;
}

QString Buchstabendiagramm::zahlen() const
{
    if (!m_gezaehlt)
        return tr("Die Buchstaben werden noch gezählt.");
    const QLocale zahlen = Zahlen::schreibweise();
    QStringList lines;
    lines << tr("%1 Buchstaben, ein gleicher Anteil wären %2 je Buchstabe")
                 .arg(zahlen.toString(summe()), zahlen.toString(double(summe()) / 26.0, 'f', 1));
    if (summe() > 0)
        lines << urteil();
    for (int c = 0; c < 26; ++c)
        lines << QStringLiteral("%1: %2, %3%4").arg(QChar(u'A' + c), zahlen.toString(m_zaehlung.je[c]), prozent(abweichung(c)),
                                                    m_urteil.auffaellig[size_t(c)] ? tr(", für sich allein kein Zufall") : QString());
    if (m_zaehlung.fremde > 0)
        lines << tr("%1 Zeilen ohne Buchstaben").arg(zahlen.toString(m_zaehlung.fremde));
    return lines.join(u'\n');
}

QString Buchstabendiagramm::urteil() const
{
    if (!m_gezaehlt || summe() == 0)
        return {};
    if (!m_urteil.moeglich)
        return tr("Zu wenige Buchstaben, um zu sagen, ob ihre Verteilung Zufall ist: Das geht ab %1.")
            .arg(Zahlen::schreibweise().toString(Statistik::Mindestens));
    const QLocale zahlen = Zahlen::schreibweise();
    const QString p = m_urteil.p >= 0.001 ? QStringLiteral("p = ") + zahlen.toString(m_urteil.p, 'g', 2)
                                          : QStringLiteral("p < ") + zahlen.toString(0.001);
    const QString werte = tr("χ² = %1 bei %2 Freiheitsgraden, %3")
                              .arg(zahlen.toString(m_urteil.chiQuadrat, 'f', 1), zahlen.toString(m_urteil.freiheitsgrade), p);
    QString text = m_urteil.p >= 0.05 ? tr("So gleichmäßig, wie der Zufall es erlaubt: %1.").arg(werte)
                                      : tr("Ungleichmäßiger, als der Zufall es gewöhnlich macht: %1.").arg(werte);
    QStringList allein;
    for (int c = 0; c < 26; ++c)
        if (m_urteil.auffaellig[size_t(c)])
            allein << QString(QChar(u'A' + c));
    if (!allein.isEmpty())
        text += u' ' + tr("Für sich allein außerhalb dessen, was der Zufall einem von 26 Buchstaben erlaubt (markiert): %1.")
                           .arg(allein.join(QStringLiteral(", ")));
    return text;
}

QSize Buchstabendiagramm::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(QStringLiteral("W 999.999.999.999  +99,99 %")) + 120 + 4 * Rand,
            26 * (metrics.height() + 2) + 2 * Rand};
}

void Buchstabendiagramm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
    painter.setPen(colours.color(QPalette::Text));
    if (!m_gezaehlt)
        return;
    const QFontMetrics metrics = fontMetrics();
    const int hoehe = std::max(metrics.height() + 2, (height() - 2 * Rand) / 26);
    const int buchstabeBreite = metrics.horizontalAdvance(u'W') + Rand;
    const int textBreite = metrics.horizontalAdvance(QStringLiteral("999.999.999.999  +99,99 % !"));
    const int balkenX = Rand + buchstabeBreite;
    const int balkenBreite = std::max(20, width() - balkenX - textBreite - 3 * Rand);
    const int mitte = balkenX + balkenBreite / 2;
    double groesste = 0;
    for (int c = 0; c < 26; ++c)
        groesste = std::max(groesste, std::fabs(abweichung(c)));
    const QLocale zahlen = Zahlen::schreibweise();
    for (int c = 0; c < 26; ++c) {
        const int y = Rand + c * hoehe;
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(QRect(Rand, y, buchstabeBreite, hoehe), Qt::AlignLeft | Qt::AlignVCenter, QString(QChar(u'A' + c)));
        const int laenge = groesste > 0 ? int(std::lround(abweichung(c) / groesste * (balkenBreite / 2 - 1))) : 0;
        const QRect balken = QRect(QPoint(mitte, y + 3), QPoint(mitte + laenge, y + hoehe - 4)).normalized();
        painter.fillRect(balken, colours.color(QPalette::Highlight));
        // A letter beyond chance on its own: its bar outlined, its figures marked.
        const bool auffaellig = m_urteil.auffaellig[size_t(c)];
        if (auffaellig) {
            painter.setPen(QPen(colours.color(QPalette::Text), 2));
            painter.drawRect(balken.adjusted(-1, -1, 1, 1));
        }
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(QRect(balkenX + balkenBreite + Rand, y, textBreite + Rand, hoehe), Qt::AlignRight | Qt::AlignVCenter,
                         zahlen.toString(m_zaehlung.je[c]) + QStringLiteral("  ") + prozent(abweichung(c))
                             + (auffaellig ? QStringLiteral(" !") : QString()));
    }
    // The even share.
    painter.setPen(QPen(colours.color(QPalette::Text), 1, Qt::DashLine));
    painter.drawLine(mitte, Rand, mitte, Rand + 26 * hoehe);
}
