#include "store/time_util.h"

#include <QDateTime>

#include <cstdio>
#include <ctime>

local_time local_time_now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    local_time r;
    r.year = d.year();
    r.month = d.month();
    r.day = d.day();
    r.hour = t.hour();
    r.minute = t.minute();
    r.second = t.second();
    r.millisecond = t.msec();
    return r;
}

std::string time_stamp_text(const local_time& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03u", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, static_cast<unsigned>(t.millisecond));
    return buf;
}

std::string time_stamp_text() {
    return time_stamp_text(local_time_now());
}

std::string time_stamp_name(const local_time& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d_%02d%02d%02d_%03u", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, static_cast<unsigned>(t.millisecond));
    return buf;
}

std::string time_stamp_name() {
    return time_stamp_name(local_time_now());
}

double now_seconds(const local_time& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1; // let the library decide, as the local clock does
    const std::time_t s = std::mktime(&tm);
    return static_cast<double>(s) + t.millisecond / 1000.0;
}

double now_seconds() {
    return now_seconds(local_time_now());
}
