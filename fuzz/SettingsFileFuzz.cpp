// The settings-file reader on arbitrary bytes. Whatever it accepts, stored
// into a record of either family, must write out as a file that reads back
// to the same registers.

#include "FuzzTarget.h"

#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "files/SettingsFile.h"

using namespace hss::files;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const SettingsFileContents contents = readSettingsFile(fuzz::text(data, size));
    if (contents.headerFamily == HSS_FAMILY_NONE) FUZZ_CHECK(contents.records.empty() && contents.skipped.empty());
    // Records and skipped lines lie after the header, skipped ones in file order, quoted short.
    std::size_t previousLine = 1;
    for (const SettingsRecord& record : contents.records) FUZZ_CHECK(record.line > 1);
    for (const SkippedSettingsLine& skipped : contents.skipped) {
        FUZZ_CHECK(skipped.line > previousLine);
        previousLine = skipped.line;
        FUZZ_CHECK(skipped.text.size() <= 27);
        FUZZ_CHECK(!describeSkippedLine(skipped).empty());
    }

    for (const hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP}) {
        ZVRxQxx16PINConfiguration sixteen;
        ZVRxQxx18PINConfiguration eighteen;
        const SettingsApplied applied = applySettingsRecords(family, contents.records, sixteen, eighteen);
        FUZZ_CHECK(applied.applied + applied.notInFamily == contents.records.size());
        // The reader keeps only addresses of the header's family.
        if (family == contents.headerFamily) FUZZ_CHECK(applied.notInFamily == 0);

        const auto text = settingsFileText(family, sixteen, eighteen);
        FUZZ_CHECK(text.has_value());
        const SettingsFileContents reread = readSettingsFile(*text);
        FUZZ_CHECK(reread.headerFamily == family);
        FUZZ_CHECK(reread.records.size() == settingsRegisters(family).size());
        FUZZ_CHECK(reread.skipped.empty());

        ZVRxQxx16PINConfiguration sixteenAgain;
        ZVRxQxx18PINConfiguration eighteenAgain;
        applySettingsRecords(family, reread.records, sixteenAgain, eighteenAgain);
        FUZZ_CHECK(settingsFileText(family, sixteenAgain, eighteenAgain) == text);
    }
    return 0;
}
