// One-shot HTTP 1.0 GET into a text or a file.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/memory_files.h"
#include "net/download_file.h"
#include "net/http_response.h"
#include "net/socket_open.h"
#include "net/socket_system.h"
#include "net/socket_table.h"
#include "net/transfer.h"
#include "zorvane/net.h"

namespace zrv {

namespace {

constexpr std::int32_t kDefaultHttpPort = 80;
// The text is put together from pieces of this size, which decide what fits its maximum.
constexpr std::size_t kTextPiece = 1023;
// A file takes whatever has arrived, in large pieces, so a big download is not held up
// by the number of calls.
constexpr std::size_t kFilePiece = 256 * 1024;

enum class HttpEnd {
    closed,   // the server closed the connection after the whole header
    failed,   // no connection, a failed send or receive, a time-out, a header cut short
    stopped,  // the body's receiver wanted no more
    refused,  // the whole answer arrived, but it is not the resource (see AnswerFault)
};

// A line break would end the request line or the host line early, and what follows would
// reach the server as headers of the program's choosing or a second request.
bool HasLineBreak(const RtString& text) noexcept {
    return std::string_view(text.Buffer(), text.Length()).find_first_of("\r\n") != std::string_view::npos;
}

std::string Request(const RtString& path, const RtString& host) {
    return std::string("GET ") + path.c_str() + " HTTP/1.0\r\nHost:" + host.c_str() +
           "\r\nAccept: */*\r\nUser-Agent: Zorvane\r\n\r\n";
}

// Receives the answer and hands each piece of the body to takeBody until the server
// closes the connection. A server that never stops sending ends at the deadline.
HttpEnd ReceiveAnswer(SocketHandle socket, std::size_t pieceSize, NetClock::time_point deadline,
                      const std::function<bool(std::string_view)>& takeBody) {
    std::vector<char> buffer(pieceSize);
    HttpHeaderScanner header;
    std::uint64_t bodyBytes = 0;
    for (;;) {
        if (!BeforeDeadline(deadline)) return HttpEnd::failed;
        const long got = ReceiveSome(socket, buffer.data(), buffer.size());
        const int error = got < 0 ? LastSocketError() : 0;
        if (got > 0) {
            const std::string_view body = header.Feed({buffer.data(), static_cast<std::size_t>(got)});
            bodyBytes += body.size();
            if (!body.empty() && !takeBody(body)) return HttpEnd::stopped;
        } else if (got == 0) {
            const int fault = header.InBody() ? AnswerFault(header, bodyBytes) : kErrorConnectionReset;
            if (fault == 0) return HttpEnd::closed;
            FailWith(fault);
            return header.InBody() ? HttpEnd::refused : HttpEnd::failed;
        } else if (WouldBlock(error)) {
            if (!WaitForSocket(socket, POLLIN, Net().transferTimeoutMs, deadline)) return HttpEnd::failed;
        } else if (error != kErrorInterrupted) {
            FailWith(error);
            return HttpEnd::failed;
        }
    }
}

HttpEnd HttpGet(const RtString& path, const RtString& host, std::int32_t port, std::size_t pieceSize,
                const std::function<bool(std::string_view)>& takeBody) {
    if (HasLineBreak(path) || HasLineBreak(host)) {
        FailWith(kErrorInvalid);
        return HttpEnd::failed;
    }
    // The start count is left alone: with it the end of a transfer could close sockets
    // the program opened without NetStart.
    const NetClock::time_point deadline = DeadlineIn(Net().httpDeadlineMs);
    const std::int32_t index = ConnectTo(host, port == 0 ? kDefaultHttpPort : port, deadline);
    if (index < 0) return HttpEnd::failed;
    const SocketHandle socket = Net().table[static_cast<std::size_t>(index)].socket;
    const std::string request = Request(path, host);
    HttpEnd end = HttpEnd::failed;
    if (SendAll(socket, request.data(), request.size(), nullptr, deadline) >= 0) {
        end = ReceiveAnswer(socket, pieceSize, deadline, takeBody);
    }
    const std::int32_t error = Net().netError;
    CloseSocket(index);
    Net().netError = end == HttpEnd::closed ? 0 : error;
    return end;
}

}  // namespace

}  // namespace zrv

RtString HttpGetToString(const RtString& path, const RtString& host, std::int32_t port, std::int32_t maxLength) {
    zrv::BoundedBody body(maxLength < 0 ? 0 : static_cast<std::size_t>(maxLength));
    zrv::HttpGet(path, host, port, zrv::kTextPiece, [&body](std::string_view piece) { return body.Take(piece); });
    return RtString(body.Text().data(), static_cast<std::uint32_t>(body.Text().size()));
}

std::int32_t HttpGetToFile(const RtString& path, const RtString& host, std::int32_t port, const RtString& fileName) {
    if (fileName.IsEmpty() || zrv::IsMemoryFileName(fileName.c_str())) {
        zrv::FailWith(zrv::kErrorInvalid);
        return 0;
    }
    zrv::DownloadFile file;
    if (!file.Open(fileName.c_str())) {
        zrv::FailWith(zrv::LastFileError());
        return 0;
    }
    int writeError = 0;
    const zrv::HttpEnd end = zrv::HttpGet(path, host, port, zrv::kFilePiece, [&](std::string_view piece) {
        if (file.Write(piece)) return true;
        writeError = zrv::LastFileError();
        return false;
    });
    if (end == zrv::HttpEnd::stopped) zrv::FailWith(writeError);
    if (end != zrv::HttpEnd::closed) return 0;
    if (!file.Finish()) {
        zrv::FailWith(zrv::LastFileError());
        return 0;
    }
    return 1;
}
