#include "emulator/BoardClock.h"

std::chrono::milliseconds SteadyBoardClock::now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}
