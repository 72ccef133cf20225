#include <doctest/doctest.h>

#include <string>

#include "app/status_text.h"

namespace {
LocalTime At(int y, int mo, int d, int h, int mi, int s) {
  LocalTime t;
  t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi, t.second = s;
  return t;
}
}  // namespace

TEST_CASE("the clock drops the trailing zero parts of the time of day") {
  struct Case {
    LocalTime at;
    const char* text;
  } cases[] = {
      {At(2014, 1, 5, 10, 0, 30), "2014年1月5日10时0分30秒"},
      {At(2014, 1, 5, 10, 30, 0), "2014年1月5日10时30分"},
      {At(2014, 1, 5, 0, 0, 0), "2014年1月5日"},
      {At(2013, 9, 17, 8, 5, 9), "2013年9月17日8时5分9秒"},
      {At(2013, 9, 17, 8, 5, 0), "2013年9月17日8时5分"},
      {At(2013, 9, 17, 8, 0, 0), "2013年9月17日8时"},
      {At(2013, 9, 17, 0, 0, 1), "2013年9月17日0时0分1秒"},
      {At(2013, 12, 31, 23, 59, 59), "2013年12月31日23时59分59秒"},
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    CAPTURE(i);
    CHECK(ClockText(cases[i].at) == cases[i].text);
  }
}

TEST_CASE("the deadline text parses as 8 April 2014 at midnight, and malformed dates are refused") {
  LocalTime deadline;
  REQUIRE(ParseLocalTime(kSupportDeadline, deadline));
  CHECK(deadline.year == 2014);
  CHECK(deadline.month == 4);
  CHECK(deadline.day == 8);
  CHECK(deadline.hour + deadline.minute + deadline.second == 0);

  const char* bad[] = {"", "2014/4/8", "2014/4/8 0:0", "2014/13/8 0:0:0", "2014/4/8 24:0:0", "2014/4/8 0:0:0x",
                       "2014-4-8 0:0:0", "2014/4/0 0:0:0"};
  for (std::string text : bad) {
    CAPTURE(text);
    LocalTime untouched = At(1, 2, 3, 4, 5, 6);
    CHECK_FALSE(ParseLocalTime(text, untouched));
    CHECK(untouched.second == 6);
  }
}

TEST_CASE("the countdown splits the time left by repeated difference, truncating toward zero") {
  LocalTime deadline;
  REQUIRE(ParseLocalTime(kSupportDeadline, deadline));
  struct Case {
    LocalTime now;
    long long days, hours, minutes, seconds;
  } cases[] = {
      {At(2014, 4, 7, 12, 0, 0), 0, 12, 0, 0},
      {At(2014, 4, 1, 23, 59, 59), 6, 0, 0, 1},
      {At(2014, 4, 8, 0, 0, 0), 0, 0, 0, 0},
      // Past the deadline the half-second slack makes each whole negative part lose one unit.
      {At(2014, 4, 9, 12, 0, 0), -1, -11, -59, -59},
      {At(2014, 4, 8, 0, 0, 1), 0, 0, 0, 0},
      {At(2013, 4, 8, 0, 0, 0), 365, 0, 0, 0},
      {At(2012, 2, 28, 1, 2, 3), 769, 22, 57, 57},  // across 29 February 2012
      {At(2014, 4, 7, 23, 59, 59), 0, 0, 0, 1},
      {At(2014, 3, 8, 0, 0, 0), 31, 0, 0, 0},
      {At(2014, 4, 7, 0, 0, 1), 0, 23, 59, 59},
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    CAPTURE(i);
    CountdownParts parts = SplitCountdown(cases[i].now, deadline);
    CHECK(parts.days == cases[i].days);
    CHECK(parts.hours == cases[i].hours);
    CHECK(parts.minutes == cases[i].minutes);
    CHECK(parts.seconds == cases[i].seconds);
  }
}

TEST_CASE("the countdown text carries its lead-in and signed parts") {
  CHECK(CountdownText({0, 12, 0, 0}) == "\r\n距离微软停止支持XP系统还有：\r\n0天12小时0分钟0秒");
  CHECK(CountdownText({-1, -11, -59, -59}) == "\r\n距离微软停止支持XP系统还有：\r\n-1天-11小时-59分钟-59秒");
  CHECK(CountdownText({4400, 0, 0, 1}) == "\r\n距离微软停止支持XP系统还有：\r\n4400天0小时0分钟1秒");
}

TEST_CASE("the external-IP text is what lies between the first [ and the next ]") {
  using namespace std::string_literals;
  struct Case {
    std::string page;
    const char* text;
  } cases[] = {
      {"您的IP是：[61.135.169.121] 来自：北京市 电信", "61.135.169.121"},
      {"before [1.2.3.4] after [5.6.7.8]", "1.2.3.4"},
      {"address [1.2.3.4 and no closing bracket", ""},
      {"]x[y]", "y"},
      {"[]", ""},
      {"][", ""},
      {"no brackets at all", ""},
      {"", ""},
      {"[", ""},
      {"ends in [", ""},
      {"[abc", ""},
      // "\xB5\x5B" and "\xC7\x5D" are double-byte characters whose second bytes are '[' and ']'.
      {"\xB5\x5B" "1.1.1.1]", ""},
      {"\xB5\x5B" "x[2.2.2.2\xC7\x5D" "]tail", "2.2.2.2\xC7\x5D"},
      {"[3.3.3.3\xC7\x5D", ""},
      // The page text ends at its first zero byte.
      {"[4.4.4.4\0]"s, ""},
      {"[5.5.5.5]\0[6.6.6.6]"s, "5.5.5.5"},
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    CAPTURE(i);
    CHECK(TextBetweenFirstBrackets(cases[i].page) == cases[i].text);
  }
}

TEST_CASE("only text shaped like an address passes as one") {
  const char* good[] = {"1.2.3.4", "255.255.255.255", "0.0.0.0", "2001:db8::1", "::ffff:192.0.2.1", "::1"};
  const char* bad[] = {"", "y", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1..2.3", "1.2.3.4 ", "<b>1.2.3.4</b>",
                       "1.2.3.", ".1.2.3", "1234.1.1.1", "dbg::x", "1111:2222:3333:4444:5555:6666:7777:8888:9999:0"};
  for (std::string text : good) {
    CAPTURE(text);
    CHECK(LooksLikeIpAddress(text));
  }
  for (std::string text : bad) {
    CAPTURE(text);
    CHECK_FALSE(LooksLikeIpAddress(text));
  }
}
