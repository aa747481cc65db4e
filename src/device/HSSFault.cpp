#include "device/HSSFault.h"

#include <array>
#include <cstdio>
#include <ctime>

HSSFault::HSSFault(std::string name, std::string description, Clock clockSource)
    : faultName(std::move(name)), faultDescription(std::move(description)), clock(std::move(clockSource))
{
    if (!clock)
        clock = [] { return std::chrono::system_clock::now(); };
}

void HSSFault::setFaultState(bool faulted)
{
    if (faulted && !curFaulted) {
        ++count;
        lastFault = clock();
    }
    curFaulted = faulted;
}

void HSSFault::resetFaultState()
{
    count = 0;
}

std::string HSSFault::getFaultDate() const
{
    if (count == 0 || !lastFault)
        return "Never";
    return formatFaultDate(*lastFault);
}

std::string formatFaultDate(HSSFault::TimePoint time)
{
    // English names whatever the process locale: every other text of the
    // tool is English too.
    static constexpr std::array<const char*, 12> kMonths{"January", "February", "March",     "April",
                                                         "May",     "June",     "July",      "August",
                                                         "September", "October", "November", "December"};
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr)
        return "Never";
    const int hour = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%s %02d, %02d:%02d:%02d", kMonths.at(std::size_t(local.tm_mon) % 12),
                  local.tm_mday, hour, local.tm_min, local.tm_sec);
    return text.data();
}
