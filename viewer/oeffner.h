#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

// Another log or record, chosen in a dialog (Ctrl+O) or dropped on the
// window: it says which, and the window shows it in a window of its own.
class Oeffner : public QObject
{
    Q_OBJECT

public:
    // Takes what is dropped on fenster; the dialog starts in the folder of
    // the file it shows.
    Oeffner(QWidget *fenster, const QString &path);

    QAction *aktion() const { return m_aktion; }

    // Says why a file cannot be shown.
    static void nichtZuZeigen(const QString &path, const QString &fehler);

signals:
    void gewaehlt(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fragen();

    QWidget *m_fenster;
    QString m_path;
    QAction *m_aktion;
};
