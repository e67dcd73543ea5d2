// The run clock: stamp 1 (start, taken again after the prompts) and stamp 2
// (end), their dated lines, and the time elapsed between them.
#include <cstdio>
#include <string>

#include "varnel.h"

namespace varnel {

namespace {
const int monthdays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
std::string n(int v) { return std::to_string(v); }
}  // namespace

void recordtime(Varnel& v, int i) {
    if (i != 1 && i != 2) errorstop("Program error in time recording");
    v.clock.stamps[i] = platform::localnow();
}

std::string starttext(const platform::Stamp& s) {
    return n(s.month) + n(s.day) + "_" + n(s.hour) + "-" + n(s.hour) + "__" + n(s.minute) + "-" + n(s.second) +
           "--" + n(s.millisecond);
}

std::string stampline(const platform::Stamp& s, const std::string& label) {
    std::string line(" ");
    line.append(label, 0, 33);
    line += " (DD/MM/YY:) " + n(s.day) + "/" + n(s.month) + "/" + n(s.year);
    line += ", at " + n(s.hour) + ":" + n(s.minute) + ":" + n(s.second) + ":" + n(s.millisecond);
    return line;
}

std::string elapsedline(const platform::Stamp& a, const platform::Stamp& b) {
    int ms = b.millisecond - a.millisecond, sec = b.second - a.second, min = b.minute - a.minute;
    int hour = b.hour - a.hour, day = b.day - a.day;
    if (ms < 0) ms += 1000, sec -= 1;
    if (sec < 0) sec += 60, min -= 1;
    if (min < 0) min += 60, hour -= 1;
    if (hour < 0) hour += 24, day -= 1;
    if (day < 0 && a.month >= 1 && a.month <= 12) day += monthdays[a.month];
    char msbuf[8];
    std::snprintf(msbuf, sizeof msbuf, "%03d", ms);
    return "  " + n(day) + " day(s) + " + n(hour) + " hour(s) + " + n(min) + " minute(s) + " + n(sec) + "." + msbuf +
           " second(s).";
}

void prnttime(Varnel& v, int i, const std::string& label) {
    std::string line = stampline(v.clock.stamps[i], label);
    v.rep.fileline(line);
    v.rep.conline(line);
}

void prntelapsed(Varnel& v) {
    const std::string head = "Assuming that it is shorter than four weeks, the time elapsed is: ";
    v.rep.conline(head);
    v.rep.fileline(head);
    std::string line = elapsedline(v.clock.stamps[1], v.clock.stamps[2]);
    v.rep.conline(line);
    v.rep.fileline(line);
}

}  // namespace varnel
