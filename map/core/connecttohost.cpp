#include "connecttohost.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

int EnsureWinsock()
{
    return 1;
}

namespace {

// Waits for a non-blocking connect to finish; true when it connected.
bool waitForConnect(int fd, int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd p{fd, POLLOUT, 0};
        const int r = ::poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        int error = 0;
        socklen_t len = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0)
            return false;
        return error == 0;
    }
}

}  // namespace

int ConnectToHost(int port, const char* host, int timeoutMs)
{
    EnsureWinsock();
    if (port <= 0 || port > 65535)
        return -1;

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (host) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* result = nullptr;
        if (::getaddrinfo(host, nullptr, &hints, &result) != 0 || !result)
            return -1;
        // The first address of the answer, as the design takes it.
        sockaddr_in first{};
        std::memcpy(&first, result->ai_addr, sizeof first);
        address.sin_addr = first.sin_addr;
        ::freeaddrinfo(result);
    } else {
        address.sin_addr.s_addr = ::inet_addr("127.0.0.1");
    }

    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    const int r = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    // An interrupted connect goes on in the background, like one in progress.
    const bool pending = r != 0 && (errno == EINPROGRESS || errno == EINTR);
    const bool connected = r == 0 || (pending && waitForConnect(fd, timeoutMs));
    if (!connected) {
        ::close(fd);
        return -1;
    }
    // Hand back an ordinary blocking socket.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}
