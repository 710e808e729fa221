#pragma once

#include <string>
#include <vector>

// The exposure calculator's preset lists and starting texts, in list order. Every item begins
// with the number that is read from it; the rest describes it. Empty items are separators.

extern const std::vector<std::string> BrightnessPresets;
extern const std::vector<std::string> SpeedPresets;
extern const std::vector<std::string> ReciprocityPresets;
extern const std::vector<std::string> FilterFactorPresets;
extern const std::vector<std::string> FRatioPresets;

extern const std::string BrightnessInitialText;
extern const std::string SpeedInitialText;
extern const std::string ReciprocityInitialText;
extern const std::string FilterFactorInitialText;
extern const std::string FRatioInitialText;
