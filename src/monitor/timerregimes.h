#pragma once

#include <chrono>
#include <optional>

namespace orvel::monitor {

using namespace std::chrono_literals;

// The moments at which the main window's timers are re-timed.
enum class TimerMoment
{
    WindowDefinition, // before any code runs; all three timers disabled
    StartUp,          // a successful start-up
    CommandListOpened,
    CommandListClosed,
    VolumePressed,
    VolumeReleased,
};

// Each setting stays in force until another replaces it; nothing means "leave the earlier value".
struct TimerRegime
{
    TimerMoment moment;
    std::optional<std::chrono::milliseconds> timer1; // volume repeat
    std::optional<std::chrono::milliseconds> timer2; // reply wait
    std::optional<std::chrono::milliseconds> timer4; // display clear
};

inline constexpr TimerRegime kTimerRegimes[] = {
    {TimerMoment::WindowDefinition, 200ms, 10000ms, 10500ms},
    {TimerMoment::StartUp, std::nullopt, 1000ms, 1200ms},
    {TimerMoment::CommandListOpened, std::nullopt, 7000ms, 7500ms},
    {TimerMoment::CommandListClosed, std::nullopt, 1000ms, 1200ms},
    {TimerMoment::VolumePressed, 100ms, 150ms, 200ms},
    {TimerMoment::VolumeReleased, std::nullopt, 500ms, 1000ms},
};

constexpr const TimerRegime &timerRegime(TimerMoment moment)
{
    for (const TimerRegime &regime : kTimerRegimes) {
        if (regime.moment == moment)
            return regime;
    }
    return kTimerRegimes[0];
}

} // namespace orvel::monitor
