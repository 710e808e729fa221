#pragma once

#include <string>

//! The text of the error box: the error's message, with a full stop appended when its last
//! character sorts after "." (so "overflow" gets one, "done." or "(42)" do not).
std::string ErrorReportText(const std::string& message);

//! An error's message as a clause inside the window's own sentence ("Nothing to show: %1."):
//! without the full stop it may end in, so that the sentence ends in one. An ellipsis stays.
std::string ErrorClause(const std::string& message);
