#pragma once

#include <QByteArray>
#include <QStringList>

#include <vector>

// A command line as main() gets it: the program's name, then the words.
class Argv
{
public:
    Argv(const char *program, const QStringList &words) : m_words{program}
    {
        for (const QString &word : words)
            m_words.push_back(word.toLocal8Bit());
        for (const QByteArray &word : m_words)
            m_pointers.push_back(word.constData());
    }
    int argc() const { return int(m_pointers.size()); }
    const char *const *argv() const { return m_pointers.data(); }

private:
    std::vector<QByteArray> m_words;
    std::vector<const char *> m_pointers;
};
