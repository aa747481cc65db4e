#pragma once
// Package family of the identified switch chip. The two families carry the
// same registers at different addresses.

#include <cstdint>

enum hss_device_family_t : int32_t {
    HSS_FAMILY_NONE = 0,   // nothing identified, or the daughter card is gone
    HSS_FAMILY_16PWP = 1,  // 16-pin package
    HSS_FAMILY_18PWP = 2,  // 18-pin package
};
