// The custom wire-model reader on arbitrary bytes: every point it gives must
// be drawable on the I2T chart's logarithmic axes, and every line after
// the header is counted once.

#include "FuzzTarget.h"

#include <cmath>
#include <sstream>
#include <string>

#include "editor/WireModels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::istringstream in{std::string(fuzz::text(data, size))};
    const double minimum = hss::i2t::kI2TTimeAxisMinimum;
    const hss::i2t::CustomWireModel model = hss::i2t::parseWireModel(in, minimum);

    FUZZ_CHECK(model.timeAxisMinimum > 0.0 && model.timeAxisMinimum <= minimum);
    FUZZ_CHECK(model.points.size() <= hss::i2t::kMaxWireModelPoints);
    FUZZ_CHECK(model.points.size() + model.skippedLines + model.undrawablePoints == model.dataLines);
    FUZZ_CHECK(hss::i2t::emptyWireModelReason(model, "f").has_value() == model.points.empty());
    for (const auto& point : model.points) {
        FUZZ_CHECK(std::isfinite(point.x) && std::isfinite(point.y));
        FUZZ_CHECK(point.x > 0.0 && point.y >= model.timeAxisMinimum);
    }
    return 0;
}
