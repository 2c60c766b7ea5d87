#include "sprache.h"

#include "zahlen.h"

#include <QCoreApplication>
#include <QLibraryInfo>

QString Sprache::waehlen(const QStringList &languages)
{
    for (const QString &language : languages) {
        const QString code = language.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (code == u"de" || code == u"en")
            return code;
        // The C locale names no language at all: the program's own stands.
        if (code == u"c" || code == u"posix")
            break;
    }
    return QStringLiteral("de");
}

Sprache::Sprache(const QStringList &languages) : m_name(waehlen(languages))
{
    if (m_name != u"de" && !m_programm.load(QStringLiteral(":/i18n/dovevad_") + m_name))
        m_name = QStringLiteral("de"); // a catalogue missing from the build: German as a whole
    // Qt's texts are English where it has no catalogue.
    (void)m_qt.load(QStringLiteral("qtbase_") + m_name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    Zahlen::waehlen(QLocale(m_name));
}

void Sprache::installieren()
{
    QCoreApplication::installTranslator(&m_qt);
    if (!m_programm.isEmpty())
        QCoreApplication::installTranslator(&m_programm);
    QLocale::setDefault(Zahlen::schreibweise());
}
