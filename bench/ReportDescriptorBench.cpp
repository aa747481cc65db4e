// Parsing the carrier board's report descriptor, as every open does.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "link/HSSReportDescriptor.h"

namespace {

// Vendor collection with one feature report per protocol report ID.
const std::vector<uint8_t> kCarrierBoard = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,        //
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,        //
    0x85, 0x3F, 0x95, 0x3F, 0x09, 0x01, 0xB1, 0x02,  // command
    0x85, 0x3B, 0x95, 0x0A, 0x09, 0x02, 0xB1, 0x02,  // board service reply
    0x85, 0x3C, 0x95, 0x06, 0x09, 0x03, 0xB1, 0x02,  // single read reply
    0x85, 0x3D, 0x95, 0x3E, 0x09, 0x04, 0xB1, 0x02,  // mixed read reply
    0x85, 0x3E, 0x95, 0x0C, 0x09, 0x05, 0xB1, 0x02,  // poll reply
    0xC0};

void BM_ParseCarrierBoardDescriptor(benchmark::State& state)
{
    for (auto _ : state) {
        auto info = parseReportDescriptor(kCarrierBoard);
        benchmark::DoNotOptimize(info);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCarrierBoard.size()));
}
BENCHMARK(BM_ParseCarrierBoardDescriptor);

}  // namespace
