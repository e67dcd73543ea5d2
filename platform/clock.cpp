#include "clock.h"

#include <ctime>

namespace platform {

namespace {
std::function<Stamp()>& source() {
    static std::function<Stamp()> s;
    return s;
}
}  // namespace

Stamp localnow() {
    if (source()) return source()();
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    Stamp s;
    s.year = static_cast<uint16_t>(tm.tm_year + 1900);
    s.month = static_cast<uint16_t>(tm.tm_mon + 1);
    s.day = static_cast<uint16_t>(tm.tm_mday);
    s.hour = static_cast<uint16_t>(tm.tm_hour);
    s.minute = static_cast<uint16_t>(tm.tm_min);
    s.second = static_cast<uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    s.millisecond = static_cast<uint16_t>(ts.tv_nsec / 1000000);
    return s;
}

void setclock(std::function<Stamp()> s) { source() = std::move(s); }

}  // namespace platform
