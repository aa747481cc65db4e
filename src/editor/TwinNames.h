#pragma once
// An 18-pin part's page control is named as its 16-pin twin with this suffix
// ("chanSettingI2TBox" and "chanSettingI2TBox18").

#include <string_view>

namespace hss {

inline constexpr std::string_view kTwinSuffix = "18";

}  // namespace hss
