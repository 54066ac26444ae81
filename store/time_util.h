#pragma once
// Time texts from the local clock. Every call formats its own values, so
// several threads may stamp at once.
// Threading: any thread; no state.

#include <cstdint>
#include <string>

// A local calendar time, broken down (month 1-12, millisecond 0-999).
struct local_time {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

local_time local_time_now();

// "YYYY-MM-DD hh:mm:ss.mmm": registration times and other stamps.
std::string time_stamp_text();
std::string time_stamp_text(const local_time& t);
// "YYYYMMDD_hhmmss_mmm": file names.
std::string time_stamp_name();
std::string time_stamp_name(const local_time& t);
// Seconds since the epoch of the local calendar time, with the milliseconds
// as fraction.
double now_seconds();
double now_seconds(const local_time& t);
