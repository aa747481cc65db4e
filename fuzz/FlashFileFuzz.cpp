// velmara-emu's flash file reader on arbitrary text: a store it accepts
// fits the board's flash and writes out as a file that reads back the same.

#include "FuzzTarget.h"

#include <string>

#include "emulator/tool/FlashFile.h"
#include "protocol/HSSConstants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::string error;
    const auto store = parseFlashStore(std::string(fuzz::text(data, size)), error);
    if (!store) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(store->size() <= hss::kFlashWriteCapacity);
    std::string again;
    const auto reread = parseFlashStore(formatFlashStore(*store), again);
    FUZZ_CHECK(reread && *reread == *store);
    return 0;
}
