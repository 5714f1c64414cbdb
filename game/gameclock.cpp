#include "game/gameclock.h"

void GameClock::tick()
{
    ++Seconds;
    if (Seconds > 60) {
        ++Minutes;
        Seconds -= 60;
    }
    if (Minutes > 60) {
        ++Hours;
        Minutes -= 60;
    }
}

QString GameClock::text() const
{
    const auto field = [](std::int64_t value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    };
    return field(Hours) + QLatin1Char(':') + field(Minutes) + QLatin1Char(':') + field(Seconds);
}
