// The report's texts on arbitrary lengths: whole millimetres, angles, and the whole report
// from an arbitrary optical job. Each row is either "?" (not reached) or well formed, and a
// row after the first error is never filled.

#include "FuzzChecks.h"

#include "optics/OpticalJob.h"
#include "optics/OpticalResults.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <regex>

namespace {

const std::regex WholeNumber("-?[0-9]+");
const std::regex Degrees("-?[0-9]+(\\.[0-9]{1,2})?\u00B0");
const std::regex Decimal("-?[0-9]+\\.[0-9]+");

bool Matches(const std::string& text, const std::regex& form)
{
    return std::regex_match(text, form);
}

void CheckWholeMillimetres(double mm)
{
    std::string text;
    if (!OnlyOwnErrors([&] { text = WholeMillimetreText(mm); }))
        return;
    Expect(Matches(text, WholeNumber) && text != "-0", "a whole number, never -0", text);
    const long double back = std::stold(text);
    Expect(std::fabs(back - mm) <= 0.5L, "the nearest whole number", text);
}

void CheckAngle(double radians)
{
    std::string text;
    if (!OnlyOwnErrors([&] { text = AngleText(radians); }))
        return;
    Expect(Matches(text, Degrees) || text.find('E') != std::string::npos, "degrees with 0 to 2 decimals and the sign",
           text);
}

void CheckReport(const TOpticalJob& job)
{
    OpticalResultTexts rows;
    const bool complete = OnlyOwnErrors([&] { ComputeOpticalResults(job, rows); });
    const std::string inOrder[] = {rows.Aperture, rows.FocalLength,   rows.Configuration, rows.EffectiveFocalLength,
                                    rows.FRatio,   rows.FieldOfView,   rows.FieldOfView20, rows.JupiterImageSize,
                                    rows.MoonImageSize};
    bool reached = true;
    for (const std::string& row : inOrder) {
        if (row == "?")
            reached = false;
        else
            Expect(reached, "no row is filled after the step that failed", row);
    }
    Expect(!complete || reached, "a report without error fills every row");
    if (rows.FRatioNumber.empty())
        return;
    Expect(rows.FRatio == "f/" + rows.FRatioNumber, "the f/ratio row is the number behind f/", rows.FRatio);
    Expect(Matches(rows.FRatioNumber, Decimal) || rows.FRatioNumber.find('E') != std::string::npos,
           "the f/ratio has one decimal", rows.FRatioNumber);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const double a = input.ConsumeFloatingPoint<double>();
    const double b = input.ConsumeFloatingPoint<double>();
    const double c = input.ConsumeFloatingPoint<double>();

    CheckWholeMillimetres(a);
    CheckAngle(a);
    std::string subtended;
    if (OnlyOwnErrors([&] { subtended = SubtendedAngleText(a, b); }))
        Expect(EndsWith(subtended, "\u00B0"), "ends in degrees", subtended);

    TOpticalJob job;
    job.ApertureMm = a;
    job.TelescopeFocalLengthMm = b;
    job.EffectiveFocalLengthMm = c;
    job.ConfigurationText = "Prime focus";
    CheckReport(job);
    return 0;
}
