// The one reader of the numbers the programs take on their command lines and
// the page in its URL: a whole decimal number written as digits alone.
#pragma once

#include <cstdint>

// Whether text is a whole number in [low, high] (0 <= low <= high < 10^17):
// digits only, no sign, no blanks, nothing after the last digit ("600abc",
// "1e3", "" and " 5" are not numbers). Sets value only when it is.
bool readWholeNumber(const char* text, int64_t low, int64_t high, int64_t& value);

// The same with an optional minus sign before the digits: a whole number in
// [-limit, limit] ("-20" and "20" are, "+20", "--20" and "-" are not).
bool readSignedWholeNumber(const char* text, int64_t limit, int64_t& value);
