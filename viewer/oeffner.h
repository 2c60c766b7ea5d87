#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

// Another log or record in a window of its own: chosen in a dialog
// (Ctrl+O) or dropped on the window.
class Oeffner : public QObject
{
    Q_OBJECT

public:
    // Takes what is dropped on fenster; the dialog starts in the folder of
    // the file it shows.
    Oeffner(QWidget *fenster, const QString &path);

    QAction *aktion() const { return m_aktion; }

    // Shows the file in a window of its own, or says why it cannot.
    static void oeffnen(const QString &path);
    static void nichtZuZeigen(const QString &path, const QString &fehler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fragen();

    QWidget *m_fenster;
    QString m_path;
    QAction *m_aktion;
};
