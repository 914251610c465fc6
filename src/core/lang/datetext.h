#pragma once

#include <string>

namespace vap {

/** The month and year pieces that headers and captions show for a date. */
struct DateText {
    std::string monthAbbrev; // the C library's abbreviated month of the current time locale
    int year = 0;            // four digits
};

/** Today's pieces, from the system clock in local time. */
DateText todayText();

/** The pieces of a given year and month (1 to 12). */
DateText dateText(int year, int month);

} // namespace vap
