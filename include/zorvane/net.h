// Networking: TCP servers and clients, UDP datagrams, name resolution and a one-shot HTTP
// 1.0 GET. Sockets are small numbers, indices into a table of 1024 entries; after set-up
// every socket is non-blocking, so a program polls them from its frame loop. IP addresses
// are 32-bit integers with the first octet of the dotted form in the highest byte; ports
// are 0..65535 in host order.
//
// No command stops the program. A failure returns -1 (or 0, or the empty text) and leaves
// the system's error number in the network error, which NetErrorText reads: EAGAIN when
// nothing is waiting, ETIMEDOUT when a time-out ended the call, ENXIO for a host name that
// does not resolve, ENOTSOCK for a socket number that is not open, 8 when the table is full.
// The table is full too when another socket would leave fewer than 32 of the process's
// open-file limit free, so files keep opening beside a table the limit cannot hold.
// No call waits forever: connecting gives up after 15 s, sending and the HTTP commands after
// 30 s without progress, and an HTTP command after 120 s in all (see SetNetTimeouts).
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// 1; calls are counted.
std::int32_t NetStart();
// Counts down; the call that brings the count to 0 closes every socket of the table.
void NetStop();

// A socket listening on every local address, or -1.
std::int32_t TcpListen(std::int32_t port);
// A new socket for a waiting connection, its peer's address written to peerAddress; -1
// when nobody is waiting (network error EAGAIN) or on failure.
std::int32_t TcpAccept(std::int32_t listener, std::int32_t& peerAddress);
// host: a name or a dotted address. Waits until connected, or -1.
std::int32_t TcpConnect(const RtString& host, std::int32_t port);
// A datagram socket bound to port, or unbound for port 0 (it sends from any port). -1 on
// failure.
std::int32_t UdpOpen(std::int32_t port);
// Waits while the system cannot take more, and returns the number of bytes sent (0 for
// empty data), or -1.
std::int32_t SendTcp(std::int32_t socket, const RtString& data);
// To address and port; both 0 gives -1 without sending. On a TCP socket the address is not
// used.
std::int32_t SendUdp(std::int32_t socket, const RtString& data, std::int32_t address, std::int32_t port);
// At most maxLength bytes into data, zero bytes included. The count received; 0 when the
// peer closed the connection; -2 when nothing is waiting; -1 on failure (data is then empty).
std::int32_t ReceiveData(std::int32_t socket, RtString& data, std::int32_t maxLength);
// 1 when the socket was open and is closed now, else 0.
std::int32_t CloseSocket(std::int32_t socket);

// The IPv4 address of a name or dotted address, or -1. The empty name is this machine: its
// first address outside 127.x.x.x, else 127.0.0.1.
std::int32_t ResolveHost(const RtString& name);
// "a.b.c.d", the highest byte first.
RtString IpToString(std::int32_t address);
// "<number> <text>" for the last network error; empty when the system has no text for it.
RtString NetErrorText();

// GET path from host (port 0: 80): the body of the answer, of which whole received pieces
// are kept while they fit into maxLength bytes, so the text is always an unbroken beginning
// of the body. A transfer that fails keeps what arrived before; the empty text when nothing
// of the body arrived. An answer that is not the resource still gives its body, with the
// network error EPROTO for a status outside 200..299, or EBADMSG for a body shorter or
// longer than its Content-Length. A path or host with a "\r" or "\n" in it is refused
// (network error EINVAL) before any connection is made.
RtString HttpGetToString(const RtString& path, const RtString& host, std::int32_t port, std::int32_t maxLength);
// GET path into the file: 1 when the whole answer arrived, the server closed the
// connection, the status is in 200..299 and the body has the length the answer announced;
// the file is then replaced. 0 otherwise (network errors as for HttpGetToString), and the
// file stays as it was. A "mem://" name gives 0.
std::int32_t HttpGetToFile(const RtString& path, const RtString& host, std::int32_t port, const RtString& fileName);

// Time-outs of this process in milliseconds: transfer (sending, and the HTTP commands
// waiting for data), connecting, and the deadline of a whole HTTP command from connecting
// to the last byte, which ends a server that keeps sending but never finishes. A value
// below 1 restores its default: 30000, 15000 and 120000.
void SetNetTimeouts(std::int32_t transferMs, std::int32_t connectMs, std::int32_t httpMs);
