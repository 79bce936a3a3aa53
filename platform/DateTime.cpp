#include "platform/DateTime.h"

#include "platform/InOutError.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>

namespace platform {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// 30.12.1899 counted from 01.01.1970.
constexpr std::int64_t kEpochShift = 25569;
constexpr double kFirstDay = -693593;        // 01.01.0001
constexpr double kLastDayEnd = 2958466;      // 01.01.10000

// Days since 01.01.1970 of a proleptic Gregorian date (and back), after H. Hinnant's
// public-domain civil calendar algorithms.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

struct Moment {
    std::int64_t day;   // serial day number
    std::int64_t msec;  // of the day, 0..86399999
};

Moment Split(DateTime value) {
    if (!(value > kFirstDay - 1 && value < kLastDayEnd))
        throw InOutError("Invalid floating point operation");
    const double whole = std::trunc(value);
    Moment m{static_cast<std::int64_t>(whole),
             std::llround(std::fabs(value - whole) * static_cast<double>(kMsPerDay))};
    if (m.msec >= kMsPerDay) {
        // The last millisecond of 31.12.9999 has no next day to carry into.
        if (m.day + 1 < static_cast<std::int64_t>(kLastDayEnd)) {
            m.msec -= kMsPerDay;
            ++m.day;
        } else {
            m.msec = kMsPerDay - 1;
        }
    }
    return m;
}

void AppendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

// A small cursor over the date-time text; each reader returns false on anything unexpected.
struct Cursor {
    std::string_view text;
    std::size_t pos = 0;

    bool AtEnd() const { return pos >= text.size(); }
    bool Take(char c) {
        if (AtEnd() || text[pos] != c) return false;
        ++pos;
        return true;
    }
    bool Number(int minDigits, int maxDigits, int& value) {
        int digits = 0;
        value = 0;
        while (!AtEnd() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
            value = value * 10 + (text[pos++] - '0');
            ++digits;
        }
        return digits >= minDigits && (AtEnd() || text[pos] < '0' || text[pos] > '9');
    }
    int SkipBlanks() {
        int count = 0;
        while (!AtEnd() && (text[pos] == ' ' || text[pos] == '\t')) ++pos, ++count;
        return count;
    }
};

std::mutex gNowMutex;
std::function<DateTime()> gNowProvider;

DateTime SystemNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto msec = std::chrono::duration_cast<std::chrono::milliseconds>(
                          now.time_since_epoch()).count() % 1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return CombineDateTime(EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                                      static_cast<int>(msec < 0 ? 0 : msec)));
}

} // namespace

DateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        throw InOutError("Invalid argument to date encode");
    return static_cast<double>(DaysFromCivil(year, month, day) + kEpochShift);
}

DateTime EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        throw InOutError("Invalid argument to time encode");
    const std::int64_t total = ((hour * 60LL + minute) * 60 + second) * 1000 + msec;
    return static_cast<double>(total) / static_cast<double>(kMsPerDay);
}

DateTime CombineDateTime(DateTime date, DateTime time) {
    return date < 0 ? date - time : date + time;
}

void DecodeDate(DateTime value, int& year, int& month, int& day) {
    CivilFromDays(Split(value).day - kEpochShift, year, month, day);
}

void DecodeTime(DateTime value, int& hour, int& minute, int& second, int& msec) {
    const std::int64_t ms = Split(value).msec;
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

std::string DateTimeToStr(DateTime value) {
    const Moment m = Split(value);
    int year, month, day;
    CivilFromDays(m.day - kEpochShift, year, month, day);
    std::string out;
    AppendTwoDigits(out, day);
    out += '.';
    AppendTwoDigits(out, month);
    out += '.';
    AppendTwoDigits(out, year / 100);
    AppendTwoDigits(out, year % 100);
    if (m.msec != 0) {
        const int seconds = static_cast<int>(m.msec / 1000);
        out += ' ';
        AppendTwoDigits(out, seconds / 3600);
        out += ':';
        AppendTwoDigits(out, seconds / 60 % 60);
        out += ':';
        AppendTwoDigits(out, seconds % 60);
    }
    return out;
}

DateTime StrToDateTime(std::string_view text) {
    Cursor c{text};
    int day, month, year, hour = 0, minute = 0, second = 0;
    c.SkipBlanks();
    bool ok = c.Number(1, 2, day) && c.Take('.') && c.Number(1, 2, month) && c.Take('.') &&
              c.Number(4, 4, year);
    if (ok && c.SkipBlanks() > 0 && !c.AtEnd()) {
        ok = c.Number(1, 2, hour) && c.Take(':') && c.Number(2, 2, minute);
        if (ok && c.Take(':')) ok = c.Number(2, 2, second);
        c.SkipBlanks();
    }
    ok = ok && c.AtEnd() && year >= 1 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month) && hour <= 23 && minute <= 59 && second <= 59;
    if (!ok) throw InOutError("'" + std::string(text) + "' is not a valid date and time");
    return CombineDateTime(EncodeDate(year, month, day), EncodeTime(hour, minute, second, 0));
}

DateTime Now() {
    std::function<DateTime()> provider;
    {
        std::lock_guard lock(gNowMutex);
        provider = gNowProvider;
    }
    return provider ? provider() : SystemNow();
}

void SetNowProvider(std::function<DateTime()> provider) {
    std::lock_guard lock(gNowMutex);
    gNowProvider = std::move(provider);
}

} // namespace platform
