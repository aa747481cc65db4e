#include <cstdio>

#include "link/HSSDeviceLayer.h"

namespace {
std::string token(const char* prefix, uint16_t id) {
    char text[16];
    std::snprintf(text, sizeof text, "%s_%04X", prefix, static_cast<unsigned>(id));
    return text;
}
}  // namespace

std::string makeVendorToken(uint16_t vendorId) { return token("VID", vendorId); }

std::string makeProductToken(uint16_t productId) { return token("PID", productId); }

std::string makeHardwareId(uint16_t vendorId, uint16_t productId) {
    return "HID\\" + makeVendorToken(vendorId) + "&" + makeProductToken(productId);
}
