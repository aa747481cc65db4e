// Saving and loading a settings file the way the "File" menu does: the text
// from the record, written through a temporary file renamed into place; the
// bytes read whole, parsed and stored into the record.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "device/HSSRegisterMap.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "files/FileReplace.h"
#include "files/SettingsFile.h"

namespace {

namespace fs = std::filesystem;

// The file is an 18-pin one, the longer of the two (45 lines).
class BenchFolder {
public:
    BenchFolder()
        : path_(fs::temp_directory_path() / ("kc-bench-" + std::to_string(std::random_device{}())))
    {
        fs::create_directories(path_);
    }
    ~BenchFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    fs::path file() const { return path_ / "settings.txt"; }

private:
    fs::path path_;
};

void fill(ZVRxQxx18PINConfiguration& record)
{
    uint16_t value = 0x1234;
    for (const auto& entry : hss::files::settingsRegisters(HSS_FAMILY_18PWP)) {
        record.setRegister(entry.reg, value, entry.channel);
        value = static_cast<uint16_t>(value * 31 + 7);
    }
}

void BM_SettingsFile_Write(benchmark::State& state)
{
    BenchFolder folder;
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    fill(eighteen);
    for (auto _ : state) {
        const auto text = hss::files::settingsFileText(HSS_FAMILY_18PWP, sixteen, eighteen);
        if (const auto error = hss::files::writeFileReplacing(folder.file(), *text)) {
            state.SkipWithError(error->c_str());
            break;
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_SettingsFile_Write)->UseRealTime();

void BM_SettingsFile_Read(benchmark::State& state)
{
    BenchFolder folder;
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    fill(eighteen);
    if (hss::files::writeFileReplacing(folder.file(), *hss::files::settingsFileText(HSS_FAMILY_18PWP, sixteen, eighteen))) {
        state.SkipWithError("could not write the file to read");
        return;
    }
    ZVRxQxx18PINConfiguration loaded;
    for (auto _ : state) {
        const hss::files::FileBytes bytes = hss::files::readWholeFile(folder.file(), 1 << 20);
        const hss::files::SettingsFileContents contents = hss::files::readSettingsFile(bytes.bytes);
        const auto applied = hss::files::applySettingsRecords(contents.headerFamily, contents.records, sixteen, loaded);
        benchmark::DoNotOptimize(applied);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_SettingsFile_Read)->UseRealTime();

}  // namespace
