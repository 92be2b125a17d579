#pragma once

// The test's side of the link to pty-far-end (PtyFarEnd.cpp), which holds the
// far end of the pseudo-terminal behind Wine's COM port. Windows only.

#include <winsock2.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace tessaro::testing {

class FarEndLink {
 public:
  FarEndLink() {
    const char* port = std::getenv("TESSARO_FAR_END");
    if (port == nullptr || *port == '\0') {
      problem_ = "no far end: run through scripts/wine-com-test.sh, which sets TESSARO_FAR_END";
      return;
    }
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
      problem_ = "Winsock did not start";
      return;
    }
    started_ = true;
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(std::atoi(port)));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (socket_ == INVALID_SOCKET ||
        ::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      problem_ = std::string("cannot reach the far end on port ") + port;
    }
  }
  ~FarEndLink() {
    if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
    if (started_) WSACleanup();
  }
  FarEndLink(const FarEndLink&) = delete;
  FarEndLink& operator=(const FarEndLink&) = delete;

  // Empty when the link is up.
  const std::string& Problem() const { return problem_; }

  bool Send(const std::vector<uint8_t>& bytes) {
    const auto size = static_cast<uint32_t>(bytes.size());
    std::vector<uint8_t> request = {'S', static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                                    static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
    request.insert(request.end(), bytes.begin(), bytes.end());
    return Write(request) && Answer() == 'k';
  }
  std::vector<uint8_t> Take() {
    uint8_t length[4] = {};
    if (!Write({'T'}) || !Read(length, sizeof length)) return {};
    std::vector<uint8_t> bytes(length[0] | length[1] << 8 | length[2] << 16 | static_cast<uint32_t>(length[3]) << 24);
    if (!Read(bytes.data(), bytes.size())) return {};
    return bytes;
  }
  // The far end stops reading until the next Take.
  bool Hold() { return Write({'H'}) && Answer() == 'k'; }
  bool Vanish() { return Write({'V'}) && Answer() == 'k'; }
  bool Appear() { return Write({'R'}) && Answer() == 'k'; }

 private:
  bool Write(const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
      const int n = ::send(socket_, reinterpret_cast<const char*>(bytes.data() + done),
                           static_cast<int>(bytes.size() - done), 0);
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    return true;
  }
  bool Read(uint8_t* into, size_t size) {
    while (size > 0) {
      const int n = ::recv(socket_, reinterpret_cast<char*>(into), static_cast<int>(size), 0);
      if (n <= 0) return false;
      into += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }
  char Answer() {
    uint8_t answer = 0;
    return Read(&answer, 1) ? static_cast<char>(answer) : '\0';
  }

  bool started_ = false;
  SOCKET socket_ = INVALID_SOCKET;
  std::string problem_;
};

}  // namespace tessaro::testing
