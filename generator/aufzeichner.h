#pragma once

#include "aufzeichnung.h"
#include "ganzschreiber.h"
#include "outputfile.h"

#include <QString>

#include <vector>

// Writes a run's record: the run says where a stretch of one key begins,
// the entries gather here and go to the file at the run's yields, a few
// hundred bytes at a time, whole entries only. Failures throw RuntimeError.
class Aufzeichner
{
public:
    Aufzeichner() = default;
    ~Aufzeichner();
    Aufzeichner(const Aufzeichner &) = delete;
    Aufzeichner &operator=(const Aufzeichner &) = delete;

    // Creates the file with its header, or empties it; a symbolic link under
    // the name is refused, never followed.
    void oeffnen(const QString &path);
    // The run's letters from strecke.erstes on are drawn with its key from
    // its counter, for as long as the next beginne or beende says; the
    // stretch before ends there.
    void beginne(const Strecke &strecke)
    {
        beende(strecke.erstes);
        m_laufend = {strecke.erstes, strecke.schluessel, strecke.zaehler, 0};
        m_offen = true;
    }
    // The open stretch ends before letter bis.
    void beende(quint64 bis)
    {
        if (m_offen)
            abschliessen(bis);
    }
    // Writes what has gathered; on a failure the file keeps its whole
    // entries, and what did not reach it stays gathered for the next write.
    void schreiben();
    // Writes the rest and closes the file.
    void schliessen();

    OutputFile::Space space() const { return OutputFile::spaceOf(m_fd, m_path); }
    bool isOpen() const { return m_fd >= 0; }
    qint64 size() const { return m_schreiber.size() + qint64(m_gesammelt.size()); }

private:
    void abschliessen(quint64 bis);

    int m_fd = -1;
    QString m_path;
    Ganzschreiber m_schreiber{Aufzeichnung::Groesse};
    std::vector<char> m_gesammelt;
    Strecke m_laufend;
    bool m_offen = false;
};
