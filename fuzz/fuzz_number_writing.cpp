// FixedField and FormatFixed on arbitrary doubles, widths and decimals.

#include "FuzzChecks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int width = input.ConsumeIntegralInRange(-10, 300);
    const int decimals = input.ConsumeIntegralInRange(0, 40); // the program writes 0 to 3
    const double value = input.ConsumeFloatingPoint<double>();

    std::string field;
    std::string text;
    const bool written = OnlyOwnErrors([&] {
        field = FixedField(width, decimals, value);
        text = FormatFixed(width, decimals, value);
    });
    if (!std::isfinite(value)) {
        Expect(!written, "inf and NaN are errors, never written");
        return 0;
    }
    Expect(written, "every finite value is written", std::to_string(value));
    Expect(static_cast<int>(field.size()) >= std::clamp(width, 0, 255), "FixedField is never shorter than its width",
           field);
    Expect(!text.empty() && text.front() != ' ', "FormatFixed never starts with a blank", text);
    Expect(field.size() >= text.size() && field.compare(field.size() - text.size(), text.size(), text) == 0,
           "FormatFixed is FixedField without its leading blanks", field + " / " + text);

    if (std::fabs(value) >= 1e36)
        return 0; // scientific notation
    // Fixed notation reads back within half a unit of its last digit. Digits past the 18th
    // significant one are written as 0, which may add up to one unit of the 18th digit.
    double back = 0;
    Expect(OnlyOwnErrors([&] { back = ParseLeadingNumber(text); }), "a written number reads back", text);
    const long double half = 0.5L * std::pow(10.0L, -decimals);
    const int top = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const long double eighteenth = std::pow(10.0L, std::max(top, 0) - 17);
    const long double slack = std::fabs(static_cast<long double>(value)) * 1e-15L; // the reader's own rounding
    Expect(std::fabs(static_cast<long double>(back) - value) <= half + eighteenth + slack,
           "a written number reads back within half a unit of its last digit", text);
    return 0;
}
