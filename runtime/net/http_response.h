// Reading an HTTP answer piece by piece as it arrives: where the header ends, what it says
// about the answer, and which pieces of the body a text of limited length keeps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zrv {

// The header ends at the second line end in a row; a "\r" neither counts nor breaks the
// row, so "\r\n\r\n", "\n\n" and mixtures all end it. The row may span pieces, and so may
// the status line and the length line, which are read on the way.
class HttpHeaderScanner {
public:
    static constexpr std::int64_t kNoLength = -1;
    static constexpr std::int64_t kBadLength = -2;

    // The part of piece that belongs to the body: empty while the header goes on.
    std::string_view Feed(std::string_view piece) noexcept;
    bool InBody() const noexcept { return inBody_; }
    // The code of a first line "HTTP/<version> <code> ...", 0 when the first line is none.
    int Status() const noexcept { return status_; }
    // The body's length from "Content-Length:"; kNoLength without one, kBadLength when it
    // is not a number or two of them disagree.
    std::int64_t ContentLength() const noexcept { return contentLength_; }

private:
    void EndLine() noexcept;

    int lineEnds_ = 0;
    bool inBody_ = false;
    bool firstLine_ = true;
    int status_ = 0;
    std::int64_t contentLength_ = kNoLength;
    // The start of the current line, without its "\r": enough for the two lines read.
    std::array<char, 64> line_{};
    std::size_t lineSize_ = 0;
    bool lineCut_ = false;
};

// Why a complete answer is not the resource asked for: kErrorBadStatus for a status
// outside 200..299 (or none), kErrorBadLength for a body whose length is not the one announced; 0 when
// it is the resource.
int AnswerFault(const HttpHeaderScanner& header, std::uint64_t bodyBytes) noexcept;

// A body kept in at most limit bytes: each piece is taken whole while it fits into the
// room left, and the first piece that does not fit ends the text, so it is always an
// unbroken beginning of the body.
class BoundedBody {
public:
    explicit BoundedBody(std::size_t limit) : limit_(limit) {}
    // False once a piece did not fit: nothing is taken from then on.
    bool Take(std::string_view piece);
    bool Full() const noexcept { return full_; }
    const std::string& Text() const noexcept { return text_; }

private:
    std::size_t limit_;
    bool full_ = false;
    std::string text_;
};

}  // namespace zrv
