#include "app/status_text.h"

#include <cmath>
#include <cstdio>

#include "system/cp936.h"

const char kSupportDeadline[] = "2014/4/8 0:0:0";

namespace {

constexpr long long kSecondsPerDay = 86400;
// Half a second in days, added in each unit so that a difference that is a whole
// number up to floating-point error counts as that whole number.
constexpr double kWholeUnitSlack = 5.787037037037037e-6;

// Days from 1 January 1970 in the proleptic Gregorian calendar (negative before).
long long DaysFromCivil(long long y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

long long SecondsOf(const LocalTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600LL + t.minute * 60LL + t.second;
}

// The difference target − t as a day count with its fraction.
double DaysBetween(long long t, long long target) {
  return static_cast<double>(target - t) / static_cast<double>(kSecondsPerDay);
}

bool ReadNumber(std::string_view& text, char separator, int& out) {
  std::size_t i = 0;
  long long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i < 6) value = value * 10 + (text[i++] - '0');
  if (i == 0) return false;
  if (separator != '\0') {
    if (i >= text.size() || text[i] != separator) return false;
    ++i;
  }
  out = static_cast<int>(value);
  text.remove_prefix(i);
  return true;
}

}  // namespace

bool ParseLocalTime(std::string_view text, LocalTime& out) {
  LocalTime t;
  if (!ReadNumber(text, '/', t.year) || !ReadNumber(text, '/', t.month) || !ReadNumber(text, ' ', t.day) ||
      !ReadNumber(text, ':', t.hour) || !ReadNumber(text, ':', t.minute) || !ReadNumber(text, '\0', t.second) ||
      !text.empty())
    return false;
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 59)
    return false;
  out = t;
  return true;
}

std::string ClockText(const LocalTime& now) {
  char text[96];
  int n = std::snprintf(text, sizeof text, "%d年%d月%d日", now.year, now.month, now.day);
  std::string result(text, static_cast<std::size_t>(n));
  if (now.second != 0)
    n = std::snprintf(text, sizeof text, "%d时%d分%d秒", now.hour, now.minute, now.second);
  else if (now.minute != 0)
    n = std::snprintf(text, sizeof text, "%d时%d分", now.hour, now.minute);
  else if (now.hour != 0)
    n = std::snprintf(text, sizeof text, "%d时", now.hour);
  else
    n = 0;
  result.append(text, static_cast<std::size_t>(n));
  return result;
}

CountdownParts SplitCountdown(const LocalTime& now, const LocalTime& target) {
  const long long goal = SecondsOf(target);
  long long t = SecondsOf(now);
  CountdownParts parts;
  parts.days = static_cast<long long>(std::trunc(DaysBetween(t, goal)));
  t += parts.days * kSecondsPerDay;
  parts.hours = static_cast<long long>(std::trunc(DaysBetween(t, goal) * 24 + kWholeUnitSlack));
  t += parts.hours * 3600;
  parts.minutes = static_cast<long long>(std::trunc(DaysBetween(t, goal) * 1440 + kWholeUnitSlack));
  t += parts.minutes * 60;
  parts.seconds = static_cast<long long>(std::trunc(DaysBetween(t, goal) * 86400 + kWholeUnitSlack));
  return parts;
}

std::string CountdownText(const CountdownParts& parts) {
  char text[192];
  int n = std::snprintf(text, sizeof text, "\r\n距离微软停止支持XP系统还有：\r\n%lld天%lld小时%lld分钟%lld秒", parts.days,
                        parts.hours, parts.minutes, parts.seconds);
  return std::string(text, static_cast<std::size_t>(n));
}

std::string TextBetweenFirstBrackets(std::string_view page) {
  const std::size_t zero = page.find('\0');
  if (zero != std::string_view::npos) page = page.substr(0, zero);
  const std::size_t open = cp936::FindChar(page, '[');
  if (open == cp936::npos) return {};
  const std::size_t start = open + 1;
  const std::size_t close = cp936::FindChar(page, ']', start);
  if (close == cp936::npos || close <= start) return {};
  return std::string(page.substr(start, close - start));
}

bool LooksLikeIpAddress(std::string_view text) {
  if (text.empty() || text.size() > 45) return false;
  if (text.find(':') != std::string_view::npos) {  // IPv6, possibly ending in a dotted IPv4 part
    for (char c : text) {
      const bool allowed = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') ||
                           c == ':' || c == '.';
      if (!allowed) return false;
    }
    return true;
  }
  // IPv4: exactly four decimal parts of 0 to 255.
  int parts = 0;
  while (true) {
    std::size_t digits = 0;
    int value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 4)
      value = value * 10 + (text[digits++] - '0');
    if (digits == 0 || digits > 3 || value > 255) return false;
    ++parts;
    text.remove_prefix(digits);
    if (text.empty()) return parts == 4;
    if (text[0] != '.' || parts == 4) return false;
    text.remove_prefix(1);
  }
}
