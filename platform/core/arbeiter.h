#pragma once

#include <QtGlobal>

#include <functional>
#include <thread>
#include <vector>

// Threads that do one job together and end with it: a compact run's
// typists, the viewer's find in a record. Their share of the work goes by
// turns in a fixed round (worker w takes turns w, w + n, w + 2n, ...), so
// that who does what does not depend on which thread is quicker.
class Arbeiter
{
public:
    // The cores this process may run on, as nproc counts them: the one
    // count of the machine's cores.
    static int kerne();

    // Starts anzahl workers, each running arbeit(wer) for its wer from 0.
    Arbeiter(int anzahl, std::function<void(int wer)> arbeit);
    // Waits for every worker.
    ~Arbeiter();
    Arbeiter(const Arbeiter &) = delete;
    Arbeiter &operator=(const Arbeiter &) = delete;

    int anzahl() const { return m_anzahl; }
    // Returns once every worker is done.
    void warten();

private:
    const int m_anzahl;
    std::vector<std::jthread> m_threads;
};
