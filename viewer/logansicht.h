#pragma once

#include <QAbstractScrollArea>

#include <algorithm>
#include <memory>

class Logdatei;

// Letters of the log in order, one row each: its number and the letter.
// Rows are counted in 64 bits and drawn straight from the file, so a log
// of any length scrolls as a short one does; the scroll bar, which counts
// in int, moves in steps of many rows where the log has more than it can.
class LogAnsicht : public QAbstractScrollArea
{
    Q_OBJECT

public:
    struct Markierung
    {
        qint64 erste = 0;
        qint64 letzte = -1;
        QString name; // said beside each of its rows
        bool enthaelt(qint64 zeile) const { return zeile >= erste && zeile <= letzte; }
    };

    explicit LogAnsicht(QWidget *parent = nullptr);

    void setDatei(std::shared_ptr<const Logdatei> datei);
    // Takes up a new size of the file.
    void dateiGeaendert();
    // What the user came for (the found target or the closest match), and
    // where a search found its letters.
    void setZiel(const Markierung &ziel);
    void setFund(const Markierung &fund);

    qint64 zeilen() const; // rows, a last line cut short among them
    qint64 aktuell() const { return m_aktuell; }
    qint64 oben() const { return m_oben; }
    // Makes the row current and scrolls it into view; extending, the rows
    // selected reach to it from where the selection began.
    void gehezu(qint64 zeile, bool erweitern = false);
    // The rows selected, the current one at least.
    qint64 auswahlVon() const { return std::min(m_anker, m_aktuell); }
    qint64 auswahlBis() const { return std::max(m_anker, m_aktuell); }
    // Shows the rows erste to letzte in the middle of the view, zeile current.
    void zeigen(qint64 erste, qint64 letzte, qint64 zeile);
    // What a screen reader says of a row.
    QString beschreibung(qint64 zeile) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int zeilenhoehe() const;
    qint64 sichtbar() const; // whole rows that fit
    qint64 obenHoechstens() const;
    void setOben(qint64 zeile);
    void scrollBalkenSetzen();
    const Markierung *markierung(qint64 zeile) const;
    // A row's bytes in words: the letter, or what stands there instead.
    static QString zeilentext(const char *bytes, qsizetype size);
    void ansagen();

    std::shared_ptr<const Logdatei> m_datei;
    Markierung m_ziel;
    Markierung m_fund;
    qint64 m_oben = 1;
    qint64 m_aktuell = 1;
    qint64 m_anker = 1; // where the selection began
    qint64 m_zeilen = 0; // as last taken up
    qint64 m_balkenSchritt = 1; // rows per step of the scroll bar
    bool m_setzt = false;       // the scroll bar is being set, not moved
};
