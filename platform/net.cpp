#include "platform/net.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

int net_startup() {
    return 0;
}

int net_last_error() {
    return errno;
}

int set_socket_timeouts(net_socket s, int timeout_ms) {
    timeval tv{};
    if (timeout_ms > 0) {
        tv.tv_sec = timeout_ms / 1000;
        tv.tv_usec = (timeout_ms % 1000) * 1000;
    }
    if (::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) != 0)
        return errno;
    if (::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv) != 0)
        return errno;
    return 0;
}

bool ipv4_from_text(const std::string& text, uint32_t* address) {
    in_addr a{};
    if (::inet_pton(AF_INET, text.c_str(), &a) != 1)
        return false;
    if (address)
        *address = ntohl(a.s_addr);
    return true;
}

std::string ipv4_to_text(uint32_t address) {
    in_addr a{};
    a.s_addr = htonl(address);
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

int tcp_connect(net_socket* out, const char* local_address, const char* remote_address,
                uint16_t port, int timeout_ms) {
    *out = invalid_net_socket;
    uint32_t remote = 0;
    if (!remote_address || !ipv4_from_text(remote_address, &remote))
        return EINVAL;
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (s < 0)
        return errno;
    int rc = set_socket_timeouts(s, timeout_ms);
    if (rc == 0 && local_address) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        uint32_t a = 0;
        if (!ipv4_from_text(local_address, &a)) {
            rc = EINVAL;
        } else {
            local.sin_addr.s_addr = htonl(a);
            if (::bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
                rc = errno;
        }
    }
    if (rc == 0) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(remote);
        // A blocking connect honours the send time-out here and then gives
        // up with EINPROGRESS.
        while (::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
            if (errno == EINTR)
                continue;
            rc = (errno == EINPROGRESS || errno == EAGAIN) ? ETIMEDOUT : errno;
            break;
        }
    }
    if (rc != 0) {
        ::close(s);
        errno = rc;
        return rc;
    }
    // Request heads and small replies go out at once.
    const int one = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    *out = s;
    return 0;
}

int send_all(net_socket s, const char* data, int64_t length) {
    while (length > 0) {
        const ssize_t n = ::send(s, data, static_cast<size_t>(length), MSG_NOSIGNAL);
        if (n < 1) {
            if (n < 0 && errno == EINTR)
                continue;
            return errno ? errno : EPIPE;
        }
        data += n;
        length -= n;
    }
    return 0;
}

int64_t recv_exact(net_socket s, char* buffer, int64_t* length) {
    const int64_t want = *length;
    *length = 0;
    if (want < 1)
        return 0;
    int64_t got = 0;
    int64_t last = 0;
    while (got < want) {
        last = ::recv(s, buffer + got, static_cast<size_t>(want - got), 0);
        if (last < 0 && errno == EINTR)
            continue;
        if (last < 1)
            break;
        got += last;
    }
    *length = got;
    return last;
}

int64_t recv_some(net_socket s, char* buffer, int64_t capacity) {
    for (;;) {
        const ssize_t n = ::recv(s, buffer, static_cast<size_t>(capacity), 0);
        if (n < 0 && errno == EINTR)
            continue;
        return n;
    }
}

void net_close(net_socket s) {
    if (s >= 0)
        ::close(s);
}

void net_shutdown(net_socket s) {
    if (s >= 0)
        ::shutdown(s, SHUT_RDWR);
}

void net_shutdown_write(net_socket s) {
    if (s >= 0)
        ::shutdown(s, SHUT_WR);
}

int resolve_ipv4(const std::string& host, std::string* dotted) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (rc != 0)
        return rc == EAI_SYSTEM ? errno : rc;
    int result = EHOSTUNREACH;
    for (addrinfo* p = found; p; p = p->ai_next) {
        if (p->ai_family == AF_INET) {
            const auto* sin = reinterpret_cast<const sockaddr_in*>(p->ai_addr);
            *dotted = ipv4_to_text(ntohl(sin->sin_addr.s_addr));
            result = 0;
            break;
        }
    }
    ::freeaddrinfo(found);
    return result;
}

std::vector<ipv4_network> local_ipv4_networks() {
    std::vector<ipv4_network> out;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return out;
    for (ifaddrs* p = list; p; p = p->ifa_next) {
        if (!p->ifa_addr || p->ifa_addr->sa_family != AF_INET || !(p->ifa_flags & IFF_UP))
            continue;
        ipv4_network n;
        n.interface_name = p->ifa_name ? p->ifa_name : "";
        n.address = ntohl(reinterpret_cast<const sockaddr_in*>(p->ifa_addr)->sin_addr.s_addr);
        if (p->ifa_netmask)
            n.netmask =
                ntohl(reinterpret_cast<const sockaddr_in*>(p->ifa_netmask)->sin_addr.s_addr);
        n.loopback = (p->ifa_flags & IFF_LOOPBACK) != 0;
        out.push_back(n);
    }
    ::freeifaddrs(list);
    return out;
}

int tcp_listen(net_socket* out, const char* address, uint16_t port, int backlog) {
    *out = invalid_net_socket;
    uint32_t a = 0;
    if (!address || !ipv4_from_text(address, &a))
        return EINVAL;
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (s < 0)
        return errno;
    const int one = 1;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl(a);
    if (::bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || ::listen(s, backlog) != 0) {
        const int e = errno;
        ::close(s);
        return e;
    }
    *out = s;
    return 0;
}

uint16_t socket_local_port(net_socket s) {
    sockaddr_in at{};
    socklen_t len = sizeof at;
    if (::getsockname(s, reinterpret_cast<sockaddr*>(&at), &len) != 0)
        return 0;
    return ntohs(at.sin_port);
}

int tcp_accept(net_socket listener, net_socket* out, int timeout_ms) {
    *out = invalid_net_socket;
    pollfd p{};
    p.fd = listener;
    p.events = POLLIN;
    for (;;) {
        const int n = ::poll(&p, 1, timeout_ms);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ETIMEDOUT;
        break;
    }
    if (p.revents & (POLLERR | POLLNVAL))
        return EBADF;
    const int s = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (s < 0)
        return errno;
    const int one = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    *out = s;
    return 0;
}

} // namespace platform
