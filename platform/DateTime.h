#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Date-time values count days from 30.12.1899; the fraction is the time of day. Before that day
// the integral part counts back while the fraction still counts forward from midnight, as the
// runtime stores them: -1.25 is 29.12.1899 06:00:00.
using DateTime = double;

// Year 1..9999, month 1..12, day within the month; otherwise InOutError
// "Invalid argument to date encode".
DateTime EncodeDate(int year, int month, int day);

// Hour 0..23, minute and second 0..59, msec 0..999; otherwise InOutError
// "Invalid argument to time encode".
DateTime EncodeTime(int hour, int minute, int second, int msec);

// Joins a date (integral) and a time of day (fraction) the way the runtime stores dates before
// 30.12.1899.
DateTime CombineDateTime(DateTime date, DateTime time);

// The time of day is rounded to whole milliseconds; a time that rounds up to 24:00 belongs to
// the next day, so DecodeDate and DecodeTime always describe the same moment. Values outside
// 01.01.0001..31.12.9999 and non-finite values throw InOutError "Invalid floating point
// operation".
void DecodeDate(DateTime value, int& year, int& month, int& day);
void DecodeTime(DateTime value, int& hour, int& minute, int& second, int& msec);

// "dd.mm.yyyy hh:mm:ss"; at exactly midnight only "dd.mm.yyyy" (0 gives "30.12.1899"). At most
// 19 characters, which is what the data-file reader takes. Refuses what DecodeDate refuses.
std::string DateTimeToStr(DateTime value);

// Reads "d.m.yyyy", optionally followed by blanks and "h:mm" or "h:mm:ss"; blanks around the
// text are ignored. Anything else throws InOutError "'<text>' is not a valid date and time".
DateTime StrToDateTime(std::string_view text);

// The current local date and time, from the installed provider.
DateTime Now();

// Replaces the source of Now(); an empty function restores the system's local time.
void SetNowProvider(std::function<DateTime()> provider);

} // namespace platform
