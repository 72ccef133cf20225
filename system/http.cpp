#include "system/http.h"

#include <windows.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "system/scoped.h"

namespace {

constexpr DWORD kStepTimeoutMs = 5000;         // connect, each send, each receive
constexpr DWORD kBodyTimeMs = 20000;            // the whole body, checked between reads
constexpr std::size_t kBodyLimit = 1u << 20;    // an IP page is a few hundred bytes

struct CloseInternet { void operator()(HINTERNET h) const { InternetCloseHandle(h); } };
using ScopedInternet = Scoped<HINTERNET, static_cast<HINTERNET>(nullptr), CloseInternet>;

void BoundTime(HINTERNET handle) {
  DWORD timeout = kStepTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                       INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
    InternetSetOptionA(handle, option, &timeout, sizeof timeout);
}

// One session for the whole process, opened by the first call and never closed.
HINTERNET Session() {
  static HINTERNET volatile session = nullptr;
  if (session) return session;
  HINTERNET opened = InternetOpenA("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
                                   INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (!opened) return nullptr;
  BoundTime(opened);
  // Two first calls at once: one session wins, the other is closed.
  HINTERNET earlier = static_cast<HINTERNET>(
      InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&session), opened, nullptr));
  if (earlier) {
    InternetCloseHandle(opened);
    return earlier;
  }
  return opened;
}

struct UrlParts {
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
  std::string host, user, password, object;
  INTERNET_PORT port = 0;
};

// InternetCrackUrlA given lengths and no buffers points into the URL itself, so
// no part of any length can overflow anything.
bool SplitUrl(const std::string& url, UrlParts* parts) {
  URL_COMPONENTSA pieces = {};
  pieces.dwStructSize = sizeof pieces;
  pieces.dwSchemeLength = pieces.dwHostNameLength = pieces.dwUserNameLength = 1;
  pieces.dwPasswordLength = pieces.dwUrlPathLength = pieces.dwExtraInfoLength = 1;
  if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &pieces)) return false;
  auto text = [](const char* start, DWORD length) {
    return start ? std::string(start, length) : std::string();
  };
  parts->scheme = pieces.nScheme;
  parts->host = text(pieces.lpszHostName, pieces.dwHostNameLength);
  parts->user = text(pieces.lpszUserName, pieces.dwUserNameLength);
  parts->password = text(pieces.lpszPassword, pieces.dwPasswordLength);
  parts->object = text(pieces.lpszUrlPath, pieces.dwUrlPathLength) + text(pieces.lpszExtraInfo, pieces.dwExtraInfoLength);
  parts->port = pieces.nPort;
  return !parts->host.empty();
}

DWORD ReadSize(HINTERNET request) {
  DWORD length = 0, size = sizeof length;
  if (HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr) &&
      static_cast<LONG>(length) > 0)
    return length >= 102400 ? 102400 : length + 1;
  return 10240;
}

// Reads until the end, a failure, the size bound or the time bound. Each read asks
// only for what has arrived, so that a server sending a byte now and then cannot
// hold one read open beyond the receive time-out.
void ReadBody(HINTERNET request, std::string* body) {
  DWORD readSize = ReadSize(request);
  std::vector<char> buffer(readSize);
  DWORD started = GetTickCount();
  while (body->size() < kBodyLimit && GetTickCount() - started < kBodyTimeMs) {
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request, &available, 0, 0) || available == 0) return;
    DWORD wanted = available < readSize ? available : readSize;
    if (wanted > kBodyLimit - body->size()) wanted = static_cast<DWORD>(kBodyLimit - body->size());
    DWORD read = 0;
    if (!InternetReadFile(request, buffer.data(), wanted, &read) || read == 0) return;
    body->append(buffer.data(), read);
  }
}

}  // namespace

std::string HttpGetBytes(std::string_view url) {
  if (url.empty()) return std::string();
  HINTERNET session = Session();
  if (!session) return std::string();
  UrlParts parts;
  if (!SplitUrl(std::string(url), &parts)) return std::string();
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
  if (parts.scheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  else if (parts.scheme != INTERNET_SCHEME_HTTP) return std::string();

  ScopedInternet connection(InternetConnectA(session, parts.host.c_str(), parts.port,
                                             parts.user.empty() ? nullptr : parts.user.c_str(),
                                             parts.password.empty() ? nullptr : parts.password.c_str(),
                                             INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return std::string();
  BoundTime(connection.Get());
  const char* acceptTypes[] = {"*/*", nullptr};
  ScopedInternet request(HttpOpenRequestA(connection.Get(), "GET", parts.object.c_str(), "HTTP/1.0", nullptr,
                                          acceptTypes, flags, 0));
  if (!request) return std::string();
  BoundTime(request.Get());
  static const char kHeaders[] = "Accept: */*\r\n\r\n";
  if (!HttpSendRequestA(request.Get(), kHeaders, sizeof kHeaders - 1, nullptr, 0)) return std::string();
  std::string body;
  ReadBody(request.Get(), &body);
  return body;
}
