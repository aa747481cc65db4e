#include "measure/SenseResistor.h"

#include <cstddef>
#include <optional>

#include "measure/ADCConversion.h"
#include "measure/NumberText.h"

namespace hss::measure {
namespace {

template <std::size_t N>
std::array<float, N> scaled(const std::array<float, N>& reference, double factor)
{
    std::array<float, N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = truncateToHundredth(double{reference[i]} * factor);
    return out;
}

}  // namespace

SenseResistorCheck checkSenseResistorText(std::string_view text)
{
    const std::optional<double> ohms = text::parseDecimal(text);
    if (!ohms)
        return {SenseResistorVerdict::NotANumber, kDefaultSenseResistorOhms};
    if (*ohms > kMaxSenseResistorOhms || *ohms < kMinSenseResistorOhms)
        return {SenseResistorVerdict::OutOfRange, kDefaultSenseResistorOhms};
    return {SenseResistorVerdict::Accepted, *ohms};
}

SenseScaledLists rescaleForSenseResistor(double senseResistorOhms)
{
    const double factor = kReferenceSenseResistorOhms / senseResistorOhms;
    return {scaled(default700CLValues, factor), scaled(default700I2TValues, factor),
            scaled(default700NomValues, factor)};
}

}  // namespace hss::measure
