// The HID report-descriptor parser on arbitrary bytes, as a device could
// present them when it is opened.

#include "FuzzTarget.h"

#include "link/HSSReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const auto info = parseReportDescriptor(data, size);
    if (!info) return 0;
    // At most 65536 bytes of data plus the report-ID byte.
    for (const uint32_t length : {info->inputReportLength, info->outputReportLength, info->featureReportLength})
        FUZZ_CHECK(length <= 65537);
    return 0;
}
