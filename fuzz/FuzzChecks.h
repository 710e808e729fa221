#pragma once

// What every fuzz target checks besides survival: a failed property aborts with a message,
// which libFuzzer reports as a crash and keeps the input for.

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

[[noreturn]] inline void PropertyFailed(const char* property, const std::string& detail)
{
    std::fprintf(stderr, "property failed: %s\n%s\n", property, detail.c_str());
    std::abort();
}

inline void Expect(bool holds, const char* property, const std::string& detail = {})
{
    if (!holds)
        PropertyFailed(property, detail);
}

inline void ExpectFinite(double value, const char* what)
{
    Expect(std::isfinite(value), what, "a result is inf or NaN");
}

inline bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

//! Runs `step`; the program's own errors are expected outcomes, anything else escaping is a fault.
template <typename Step>
bool OnlyOwnErrors(Step&& step)
{
    try {
        step();
        return true;
    } catch (const ConversionError&) {
        return false;
    } catch (const ArithmeticError&) {
        return false;
    } catch (const std::exception& error) {
        PropertyFailed("only the program's own error types escape", error.what());
    } catch (...) {
        PropertyFailed("only the program's own error types escape", "an unknown exception");
    }
}
