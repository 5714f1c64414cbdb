// The game clock: hours, minutes and seconds counted by ticks, never by
// the wall clock. A field shows 60 for one tick before it carries into the next field
// (00:00:60, then 00:01:01), and nothing resets the counters during a run.
#pragma once

#include <QString>
#include <cstdint>

class GameClock
{
public:
    void tick();
    QString text() const;

    std::int16_t Seconds = 0;
    std::int64_t Minutes = 0;
    std::int64_t Hours = 0;
};
