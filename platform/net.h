#pragma once
// TCP sockets for the device link: blocking sockets whose every send and
// receive is bounded by a time-out, IPv4 address texts, the computer's own
// IPv4 networks, and the listening side the camera simulator and the tests
// use. Results are 0 or an errno value; SIGPIPE is never raised.
// Threading: any thread; each socket is used by one thread at a time.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using net_socket = int;
constexpr net_socket invalid_net_socket = -1;

// One-time start-up of the socket layer. Nothing to do here: always 0.
int net_startup();

// errno of the calling thread: the error of its last failed socket call.
int net_last_error();

// Connects a stream socket to remote_address:port (both dotted IPv4 text);
// binds to local_address first when it is not null. timeout_ms bounds every
// later send and receive and the connect itself (0 or less: no bound).
// 0 with the socket in *out, else the errno of the failing step (ETIMEDOUT
// for a connect that ran out of time, EINVAL for an address that is not
// dotted IPv4); the socket is then closed.
int tcp_connect(net_socket* out, const char* local_address, const char* remote_address,
                uint16_t port, int timeout_ms);

// Sends all length bytes; a length below 1 sends nothing. 0 or the errno of
// the first send that moved nothing.
int send_all(net_socket s, const char* data, int64_t length);

// Receives until *length bytes are in or a receive yields nothing (peer
// closed, error, time-out). *length becomes the number received; the result
// is the last receive's return value (> 0 when everything came). A requested
// length below 1 sets *length to 0 and returns 0.
int64_t recv_exact(net_socket s, char* buffer, int64_t* length);

// Receives what is there, at most capacity bytes: > 0 bytes, 0 when the peer
// closed, -1 on error or time-out (see net_last_error()).
int64_t recv_some(net_socket s, char* buffer, int64_t capacity);

void net_close(net_socket s);

// Time-outs of every later send and receive of the socket (0: none).
int set_socket_timeouts(net_socket s, int timeout_ms);

// Strict dotted-quad IPv4 text to a host-order address.
bool ipv4_from_text(const std::string& text, uint32_t* address);
std::string ipv4_to_text(uint32_t address);

// The first IPv4 address of a host name, in dotted form. 0 or an error code
// of the resolver (negative values are the resolver's own codes).
int resolve_ipv4(const std::string& host, std::string* dotted);

// One IPv4 address of this computer and the netmask of its network.
struct ipv4_network {
    std::string interface_name;
    uint32_t address = 0; // host order
    uint32_t netmask = 0; // host order
    bool loopback = false;
};
// The IPv4 addresses of the interfaces that are up.
std::vector<ipv4_network> local_ipv4_networks();

// Listening socket on address:port (port 0 picks a free one, see
// socket_local_port). Address reuse is on so a restarted server can bind at
// once.
int tcp_listen(net_socket* out, const char* address, uint16_t port, int backlog);
// The port a socket is bound to; 0 on failure.
uint16_t socket_local_port(net_socket s);
// Waits up to timeout_ms for a connection. 0 with the socket in *out,
// ETIMEDOUT when none came, else errno.
int tcp_accept(net_socket listener, net_socket* out, int timeout_ms);
// Stops receiving and sending on a socket another thread may be blocked on.
void net_shutdown(net_socket s);
// Ends the sending direction only: the peer reads to the end, then sees EOF.
void net_shutdown_write(net_socket s);

} // namespace platform
