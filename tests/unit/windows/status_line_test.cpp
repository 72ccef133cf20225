#include <doctest/doctest.h>
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "app/status_line.h"
#include "app/status_text.h"

namespace {

// An HTTP server on 127.0.0.1 that answers every request with the body it is given.
class PageServer {
 public:
  PageServer() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    InitializeCriticalSection(&lock_);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(listener_, 4) == 0 &&
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
      port_ = ntohs(address.sin_port);
    thread_ = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
  }
  ~PageServer() {
    closesocket(listener_);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
    WSACleanup();
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/ip"; }
  void SetBody(const std::string& body) {
    EnterCriticalSection(&lock_);
    body_ = body;
    LeaveCriticalSection(&lock_);
  }

 private:
  static DWORD WINAPI Serve(void* self) {
    auto* server = static_cast<PageServer*>(self);
    for (;;) {
      SOCKET client = accept(server->listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return 0;
      std::string request;
      char buffer[1024];
      while (request.find("\r\n\r\n") == std::string::npos) {
        int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.append(buffer, static_cast<std::size_t>(got));
      }
      EnterCriticalSection(&server->lock_);
      std::string body = server->body_;
      LeaveCriticalSection(&server->lock_);
      std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                          std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
      send(client, reply.data(), static_cast<int>(reply.size()), 0);
      shutdown(client, SD_SEND);
      closesocket(client);
    }
  }

  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  HANDLE thread_ = nullptr;
  CRITICAL_SECTION lock_;
  std::string body_;
};

LocalTime Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  LocalTime t;
  t.year = now.wYear, t.month = now.wMonth, t.day = now.wDay;
  t.hour = now.wHour, t.minute = now.wMinute, t.second = now.wSecond;
  return t;
}

std::string Text(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace

TEST_CASE("the external address is the bracketed text of the page, and only when it looks like an address") {
  using namespace std::string_literals;
  PageServer server;
  struct Case {
    std::string body;
    const char* address;
  } cases[] = {
      {"您的IP是：[61.135.169.121] 来自：北京市 电信", "61.135.169.121"},
      {"<p>[2001:db8::7]</p>", "2001:db8::7"},
      {"no brackets at all", ""},
      {"您的IP是：[61.135.169.121 来自", ""},
      {"]x[y]", ""},  // what lies between is taken, but "y" is no address
      {"<html><head><title>[Error 502]</title></head><body>[1.2.3.4]</body></html>", ""},
      {"<b>[<script>alert(1)</script>]</b>", ""},
      {"\xB5\x5B" "1.1.1.1]", ""},  // the bracket is the second byte of a double-byte character
      {"[5.6.7.8]\0trailing"s, "5.6.7.8"},
      {"", ""},
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    CAPTURE(i);
    server.SetBody(cases[i].body);
    CHECK(FetchExternalIpFrom(server.Url()) == cases[i].address);
  }
}

TEST_CASE("an address that cannot be fetched gives an empty text") {
  // A port nobody listens on, and a name that cannot be resolved.
  CHECK(FetchExternalIpFrom("http://127.0.0.1:1/ip") == "");
  CHECK(FetchExternalIpFrom("http://prepkit-no-such-host.invalid/ip") == "");
}

TEST_CASE("the clock and the countdown write the texts of the current local time into their controls") {
  HWND label = CreateWindowA("STATIC", "本地时间", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
  HWND field = CreateWindowA("EDIT", "", WS_POPUP, 0, 0, 320, 24, nullptr, nullptr, nullptr, nullptr);
  LocalTime deadline;
  REQUIRE(ParseLocalTime(kSupportDeadline, deadline));

  LocalTime before = Now();
  UpdateClock(label);
  UpdateCountdown(field);
  LocalTime after = Now();

  const std::string clock = Text(label), countdown = Text(field);
  CHECK((clock == ClockText(before) || clock == ClockText(after)));
  CHECK((countdown == CountdownText(SplitCountdown(before, deadline)) ||
         countdown == CountdownText(SplitCountdown(after, deadline))));
  CHECK(countdown.rfind("\r\n", 0) == 0);
  DestroyWindow(label);
  DestroyWindow(field);
}
