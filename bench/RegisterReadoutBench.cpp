// The "Registers" page redraws its table from a register image whenever the
// record or a reading changes (the fault poll answers twice a second): every
// register of the family read out, each field's text from its option list.

#include <benchmark/benchmark.h>

#include "editor/registers/RegisterComparison.h"
#include "editor/registers/RegisterReadout.h"

namespace {

using namespace hss::regmap;

RegisterImage fullImage(hss_device_family_t family)
{
    RegisterImage image;
    uint16_t value = 0x1234;
    for (const RegisterInfo& info : registerCatalogue(family)) image[info.address] = value += 0x0111;
    return image;
}

// The 18-pin family, the longer of the two (27 registers).
void BM_RegisterReadout(benchmark::State& state)
{
    const RegisterImage image = fullImage(HSS_FAMILY_18PWP);
    for (auto _ : state) benchmark::DoNotOptimize(readRegisters(HSS_FAMILY_18PWP, image, {0xFF04, {}}));
}
BENCHMARK(BM_RegisterReadout);

// The same image compared with a file that differs in every register.
void BM_RegisterCompare(benchmark::State& state)
{
    const RegisterImage image = fullImage(HSS_FAMILY_18PWP);
    RegisterImage file = image;
    for (auto& [address, value] : file) value = static_cast<uint16_t>(~value);
    for (auto _ : state) benchmark::DoNotOptimize(compareImages(HSS_FAMILY_18PWP, image, file, {0xFF04, {}}));
}
BENCHMARK(BM_RegisterCompare);

}  // namespace
