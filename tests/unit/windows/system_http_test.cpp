#include <doctest/doctest.h>

#include <winsock2.h>
#include <windows.h>

#include <string>

#include "system/http.h"

namespace {
const std::string kBinary("he\0llo\xff\x5c", 8);

// A small HTTP server on 127.0.0.1: each connection on a thread of its own, the
// answer chosen by the request's path.
class TestServer {
 public:
  TestServer() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    listen(listener_, 8);
    acceptor_ = CreateThread(nullptr, 0, Accept, this, 0, nullptr);
  }
  ~TestServer() {
    SetEvent(release_);
    closesocket(listener_);
    WaitForSingleObject(acceptor_, 10000);
    CloseHandle(acceptor_);
    Sleep(200);  // let connection threads see the release
    CloseHandle(release_);
    WSACleanup();
  }
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  std::string lastRequest;

 private:
  struct Connection {
    TestServer* server;
    SOCKET socket;
  };
  static DWORD WINAPI Accept(void* self) {
    TestServer* server = static_cast<TestServer*>(self);
    for (;;) {
      SOCKET client = accept(server->listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return 0;
      HANDLE thread = CreateThread(nullptr, 0, Serve, new Connection{server, client}, 0, nullptr);
      if (thread) CloseHandle(thread);
    }
  }
  static void SendAll(SOCKET s, const std::string& bytes) { send(s, bytes.data(), static_cast<int>(bytes.size()), 0); }
  static DWORD WINAPI Serve(void* parameter) {
    Connection connection = *static_cast<Connection*>(parameter);
    delete static_cast<Connection*>(parameter);
    SOCKET s = connection.socket;
    std::string request;
    char chunk[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
      int got = recv(s, chunk, sizeof chunk, 0);
      if (got <= 0) break;
      request.append(chunk, got);
    }
    connection.server->lastRequest = request;
    std::string path = request.substr(4, request.find(' ', 4) - 4);
    if (path == "/length") {
      SendAll(s, "HTTP/1.0 200 OK\r\nContent-Length: 8\r\n\r\n" + kBinary);
    } else if (path == "/nolength") {
      SendAll(s, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n");
      for (int i = 0; i < 300; ++i) SendAll(s, "0123456789");  // larger than one default read
    } else if (path == "/missing") {
      SendAll(s, "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot here!");
    } else if (path == "/endless") {
      SendAll(s, "HTTP/1.0 200 OK\r\n\r\n");
      std::string block(65536, 'e');
      while (send(s, block.data(), static_cast<int>(block.size()), 0) > 0 &&
             WaitForSingleObject(connection.server->release_, 0) == WAIT_TIMEOUT) {
      }
    } else if (path == "/stall") {
      SendAll(s, "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\npart");
      WaitForSingleObject(connection.server->release_, 120000);
    }
    closesocket(s);
    return 0;
  }
  SOCKET listener_ = INVALID_SOCKET;
  HANDLE acceptor_ = nullptr;
  HANDLE release_ = nullptr;
  int port_ = 0;
};

int ClosedPort() {
  SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  int size = sizeof address;
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  closesocket(probe);
  return ntohs(address.sin_port);
}
}  // namespace

TEST_CASE("HttpGetBytes returns the body as sent, with or without a length, and an error page's body") {
  TestServer server;
  struct Case {
    const char* path;
    std::string expected;
  } cases[] = {
      {"/length", kBinary},
      {"/nolength", [] { std::string s; for (int i = 0; i < 300; ++i) s += "0123456789"; return s; }()},
      {"/missing", "not here!"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.path);
    CHECK(HttpGetBytes(server.Url(c.path)) == c.expected);
  }
  // The request as the server saw it (the last one: /missing).
  CHECK(server.lastRequest.find("GET /missing HTTP/1.0\r\n") == 0);
  CHECK(server.lastRequest.find("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n") !=
        std::string::npos);
  CHECK(server.lastRequest.find("Accept: */*\r\n") != std::string::npos);
}

TEST_CASE("HttpGetBytes bounds the body and the wait: an endless body is cut at 1 MiB, a stalled one returns its part") {
  TestServer server;
  std::string endless = HttpGetBytes(server.Url("/endless"));
  CHECK(endless.size() == 1024u * 1024u);
  CHECK(endless.find_first_not_of('e') == std::string::npos);
  // The server never sends the rest nor closes: only the receive time-out ends this.
  CHECK(HttpGetBytes(server.Url("/stall")) == "part");
}

TEST_CASE("HttpGetBytes gives empty bytes for what cannot be fetched") {
  const std::string closed = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/";
  const std::string urls[] = {"", "not a url", "ftp://127.0.0.1/x", "file:///C:/windows/win.ini",
                              closed, "http://no-such-host.invalid/", "http:///nohost"};
  for (const std::string& url : urls) {
    CAPTURE(url);
    CHECK(HttpGetBytes(url).empty());
  }
}
