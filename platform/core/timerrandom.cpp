#include "timerrandom.h"

#include <QRandomGenerator>

quint64 TimerRandom::freshKey()
{
    // Two programs started within one clock tick still type different letters.
    return QRandomGenerator::system()->generate64();
}
