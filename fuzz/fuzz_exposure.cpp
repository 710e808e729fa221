// ExposureTime, ExposureText and the caption on arbitrary inputs: a time, "???" or an
// arithmetic error, never inf or NaN, and a caption of one of the forms the window shows.

#include "FuzzChecks.h"

#include "exposure/ExposureModel.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const double brightness = input.ConsumeFloatingPoint<double>();
    const double speed = input.ConsumeFloatingPoint<double>();
    const double filterFactor = input.ConsumeFloatingPoint<double>();
    const double fRatio = input.ConsumeFloatingPoint<double>();
    const double reciprocity = input.ConsumeFloatingPoint<double>();

    double t = 0;
    if (!OnlyOwnErrors([&] { t = ExposureTime(brightness, speed, filterFactor, fRatio, reciprocity); }))
        return 0;
    ExpectFinite(t, "ExposureTime");

    ExposureWords words;
    std::string caption;
    if (!OnlyOwnErrors([&] {
            words = ExposureText(t);
            caption = ExposureCaption(t);
        }))
        return 0;
    const bool known = words.Number == "???" || words.Number == "Excessively short" || words.Number == "Excessively long"
                       || words.Number.find_first_not_of(" 0123456789./") == std::string::npos;
    Expect(known, "the number is a shutter speed, a count or a limit", words.Number);
    Expect(words.Unit.empty() || words.Unit == "s" || words.Unit == "m" || words.Unit == "h", "a known unit",
           words.Unit);
    Expect(EndsWith(caption, words.Number + " " + words.Unit), "the caption ends with the words", caption);
    Expect((t < 1 && t > -100000) == (caption.find(" s   = ") != std::string::npos),
           "the seconds are written exactly below one second", caption);
    return 0;
}
