#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

// The one language of every text on the screen: the first of the user's
// languages the program has texts for, else its own, German. Qt's own texts
// (a text box's menu, the buttons of a box) come in the same language.
class Sprache
{
public:
    // The user's languages, best first, as QLocale::uiLanguages() gives them.
    explicit Sprache(const QStringList &languages = QLocale::system().uiLanguages());
    Sprache(const Sprache &) = delete;
    Sprache &operator=(const Sprache &) = delete;

    // "de" or "en".
    static QString waehlen(const QStringList &languages);
    QString name() const { return m_name; }

    // Hands the texts to the application object of the moment; call it
    // again for each one made.
    void installieren();

    // What read makes of the command line, read before the window system
    // is asked for, so that --help works without a display, in the user's
    // language.
    template <typename Reader>
    auto befehlszeileLesen(int &argc, char *argv[], Reader read)
    {
        const QCoreApplication befehlszeile(argc, argv);
        installieren();
        return read(argc, argv);
    }

private:
    QString m_name;
    QTranslator m_programm;
    QTranslator m_qt;
};
