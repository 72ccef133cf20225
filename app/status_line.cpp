#include "app/status_line.h"

#include "app/status_text.h"
#include "system/http.h"

const char kExternalIpPage[] = "http://www.ip138.com/ip2city.asp";

namespace {

LocalTime Now() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  LocalTime t;
  t.year = now.wYear, t.month = now.wMonth, t.day = now.wDay;
  t.hour = now.wHour, t.minute = now.wMinute, t.second = now.wSecond;
  return t;
}

}  // namespace

void UpdateClock(HWND label) { SetWindowTextA(label, ClockText(Now()).c_str()); }

void UpdateCountdown(HWND field) {
  LocalTime deadline;
  ParseLocalTime(kSupportDeadline, deadline);
  SetWindowTextA(field, CountdownText(SplitCountdown(Now(), deadline)).c_str());
}

std::string FetchExternalIp() { return FetchExternalIpFrom(kExternalIpPage); }

std::string FetchExternalIpFrom(std::string_view url) {
  std::string address = TextBetweenFirstBrackets(HttpGetBytes(url));
  // An error page or a changed service must not put markup into the status strip.
  return LooksLikeIpAddress(address) ? address : std::string();
}
