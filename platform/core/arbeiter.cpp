#include "arbeiter.h"

#include <algorithm>

#include <sched.h>

int Arbeiter::kerne()
{
    cpu_set_t erlaubt;
    CPU_ZERO(&erlaubt);
    if (sched_getaffinity(0, sizeof erlaubt, &erlaubt) == 0)
        return std::max(1, CPU_COUNT(&erlaubt));
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

Arbeiter::Arbeiter(int anzahl, std::function<void(int wer)> arbeit) : m_anzahl(std::max(anzahl, 1))
{
    m_threads.reserve(size_t(m_anzahl));
    for (int wer = 0; wer < m_anzahl; ++wer)
        m_threads.emplace_back(arbeit, wer);
}

Arbeiter::~Arbeiter()
{
    warten();
}

void Arbeiter::warten()
{
    for (std::jthread &thread : m_threads)
        if (thread.joinable())
            thread.join();
}
