// ParseLeadingNumber on arbitrary bytes: a number or one of the program's errors, never inf or
// NaN; and a number it reads is the number its first word writes.

#include "FuzzChecks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    double value = 0;
    if (!OnlyOwnErrors([&] { value = ParseLeadingNumber(text); }))
        return 0;
    ExpectFinite(value, "ParseLeadingNumber");

    // Only the first blank-delimited word counts: whatever follows it changes nothing.
    const std::size_t start = text.find_first_not_of(' ');
    const std::size_t end = text.find(' ', start);
    if (end != std::string::npos) {
        double firstWordOnly = 0;
        Expect(OnlyOwnErrors([&] { firstWordOnly = ParseLeadingNumber(text.substr(0, end)); }),
               "the first word alone reads as well");
        Expect(firstWordOnly == value, "the first word alone reads the same", text);
    }
    return 0;
}
