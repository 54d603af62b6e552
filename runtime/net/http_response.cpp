#include "net/http_response.h"

#include "files/ascii.h"
#include "net/socket_system.h"

namespace zrv {

namespace {

constexpr std::string_view kLengthName = "content-length:";
// More digits than any real body, few enough never to overflow.
constexpr std::size_t kMostLengthDigits = 18;

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) noexcept {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// "HTTP/<version> <code 100..999>" followed by the end or a blank; 0 otherwise.
int StatusOf(std::string_view line) noexcept {
    if (line.substr(0, 5) != "HTTP/") return 0;
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return 0;
    const std::string_view rest = TrimBlanks(line.substr(blank));
    if (rest.size() < 3 || rest[0] < '1' || rest[0] > '9' || !IsDigit(rest[1]) || !IsDigit(rest[2])) return 0;
    if (rest.size() > 3 && !IsBlank(rest[3])) return 0;
    return (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
}

std::int64_t LengthOf(std::string_view value) noexcept {
    value = TrimBlanks(value);
    if (value.empty() || value.size() > kMostLengthDigits) return HttpHeaderScanner::kBadLength;
    std::int64_t length = 0;
    for (const char c : value) {
        if (!IsDigit(c)) return HttpHeaderScanner::kBadLength;
        length = length * 10 + (c - '0');
    }
    return length;
}

}  // namespace

std::string_view HttpHeaderScanner::Feed(std::string_view piece) noexcept {
    if (inBody_) return piece;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const char c = piece[i];
        if (c == '\n') {
            if (++lineEnds_ == 2) {
                inBody_ = true;
                return piece.substr(i + 1);
            }
            EndLine();
        } else if (c != '\r') {
            lineEnds_ = 0;
            if (lineSize_ < line_.size()) {
                line_[lineSize_++] = c;
            } else {
                lineCut_ = true;
            }
        }
    }
    return {};
}

void HttpHeaderScanner::EndLine() noexcept {
    const std::string_view line(line_.data(), lineSize_);
    if (firstLine_) {
        // A long reason phrase may be cut: the code stands before it.
        status_ = StatusOf(line);
        firstLine_ = false;
    } else if (line.size() >= kLengthName.size() && EqualIgnoringCase(line.substr(0, kLengthName.size()), kLengthName)) {
        const std::int64_t length = lineCut_ ? kBadLength : LengthOf(line.substr(kLengthName.size()));
        if (contentLength_ == kNoLength || contentLength_ == length) {
            contentLength_ = length;
        } else {
            contentLength_ = kBadLength;
        }
    }
    lineSize_ = 0;
    lineCut_ = false;
}

int AnswerFault(const HttpHeaderScanner& header, std::uint64_t bodyBytes) noexcept {
    if (header.Status() < 200 || header.Status() > 299) return kErrorBadStatus;
    const std::int64_t length = header.ContentLength();
    if (length == HttpHeaderScanner::kNoLength) return 0;
    if (length == HttpHeaderScanner::kBadLength || static_cast<std::uint64_t>(length) != bodyBytes) return kErrorBadLength;
    return 0;
}

bool BoundedBody::Take(std::string_view piece) {
    if (full_) return false;
    if (piece.size() > limit_ - text_.size()) {
        full_ = true;
        return false;
    }
    text_.append(piece);
    return true;
}

}  // namespace zrv
