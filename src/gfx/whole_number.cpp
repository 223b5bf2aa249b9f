#include "gfx/whole_number.h"

bool readWholeNumber(const char* text, int64_t low, int64_t high, int64_t& value) {
    if (*text == '\0') {
        return false;
    }
    int64_t parsed = 0;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at < '0' || *at > '9') {
            return false;
        }
        // Past high already: more digits only make it larger, and the
        // product below stays within 64 bits.
        if (parsed > high) {
            return false;
        }
        parsed = parsed * 10 + (*at - '0');
    }
    if (parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

bool readSignedWholeNumber(const char* text, int64_t limit, int64_t& value) {
    const bool negative = *text == '-';
    int64_t magnitude = 0;
    if (!readWholeNumber(negative ? text + 1 : text, 0, limit, magnitude)) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}
