#pragma once

#include "statistik.h"
#include "buchstabenzaehlung.h"

#include <QWidget>

// The 26 letters' counts in the log, each with how far it lies from an
// even share of the letters: a bar to the left for fewer, to the right for
// more, all drawn to the scale of the largest; and in words, whether the
// spread is what chance gives, a letter marked where it alone is not.
class Buchstabendiagramm : public QWidget
{
    Q_OBJECT

public:
    explicit Buchstabendiagramm(QWidget *parent = nullptr);

    void setZaehlung(const Buchstabenzaehlung &zaehlung);
    // The figures as a screen reader reads them, a line a letter.
    QString zahlen() const;
    // Whether the spread is what chance gives, with the figures.
    QString urteil() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Per cent by which the letter lies above an even share.
    double abweichung(int buchstabe) const;
    qint64 summe() const;

    Buchstabenzaehlung m_zaehlung;
    Statistik::Urteil m_urteil;
    bool m_gezaehlt = false;
};
