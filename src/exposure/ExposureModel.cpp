#include "exposure/ExposureModel.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"

double ExposureTime(double brightness, double speed, double filterFactor, double fRatio, double reciprocity)
{
    // Written as positive tests so that a NaN input fails them too.
    if (!(speed > 0 && filterFactor > 0 && reciprocity > 0 && brightness >= -20))
        return -1;

    // Brightness relative to an object of 9 magnitudes per square arc-second;
    // one magnitude is a factor of 2.512.
    const double relativeBrightness = Power(2.512, 9 - brightness);

    // N^2 / ((S / F) * B) in extended precision, rounded once.
    const long double n = fRatio;
    const long double effectiveSpeed = Divide(speed, filterFactor) * relativeBrightness;
    double t = Narrow(Divide(n * n, effectiveSpeed));

    // Reciprocity failure (Schwarzschild): long exposures need disproportionately more time.
    t = Power(t + 1, Narrow(Divide(1, reciprocity))) - 1;
    return t;
}

std::string ExposureCaption(double t)
{
    const ExposureWords words = ExposureText(t);
    std::string caption = words.Number + " " + words.Unit;
    // The seconds are written like every other number of the program, halves away from
    // zero (0.0005 gives 0.001), which printf("%8.3f") would not do.
    if (t > -100000 && t < 1)
        caption = FixedField(8, 3, t) + " s   = " + caption;
    return caption;
}
