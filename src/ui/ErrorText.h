#pragma once

#include <string>

//! The text of the error box: the error's message, with a full stop appended when its last
//! character sorts after "." (so "overflow" gets one, "done." or "(42)" do not).
std::string ErrorReportText(const std::string& message);
