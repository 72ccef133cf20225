// The status strip's texts as pure functions of a given time or page text:
// the clock, the countdown to the end of Windows XP support, and the address
// taken out of the external-IP page. Portable: no Windows calls.
#pragma once
#include <string>
#include <string_view>

// A local date and time in whole seconds (the fields of a SYSTEMTIME that matter).
struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// "Y/M/D h:m:s" in decimal; false (and `out` unchanged) when the text is not
// six numbers in that shape or a field is out of range.
bool ParseLocalTime(std::string_view text, LocalTime& out);

// "2013年9月17日8时5分9秒", dropping the trailing zero parts of the time of day:
// "8时5分" at 08:05:00, "8时" at 08:00:00, nothing at midnight.
std::string ClockText(const LocalTime& now);

// The end of Windows XP support, local time.
extern const char kSupportDeadline[];

struct CountdownParts {
  long long days = 0;
  long long hours = 0;
  long long minutes = 0;
  long long seconds = 0;
};

// Time left from `now` to `target`, split by repeated difference and addition:
// each part is measured from the target anew, and each cut is a truncation
// toward zero. Past the target every part is 0 or negative.
CountdownParts SplitCountdown(const LocalTime& now, const LocalTime& target);

// "\r\n距离微软停止支持XP系统还有：\r\n" then "<d>天<h>小时<m>分钟<s>秒".
std::string CountdownText(const CountdownParts& parts);

// The bytes between the first "[" and the next "]" of a code page 936 page text
// (brackets that are the second byte of a double-byte character do not count);
// the text ends at its first zero byte. Empty when there is no "[", no "]" after
// it, or the two are side by side.
std::string TextBetweenFirstBrackets(std::string_view page);

// True for a dotted IPv4 address (four parts of 0 to 255) or for IPv6-looking
// text (hex digits, ":" and "." only, with a ":"), at most 45 bytes.
bool LooksLikeIpAddress(std::string_view text);
