// Reading an HTTP answer piece by piece as it arrives: where the header ends, and which
// pieces of the body a text of limited length keeps.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zrv {

// The header ends at the second line end in a row; a "\r" neither counts nor breaks the
// row, so "\r\n\r\n", "\n\n" and mixtures all end it. The row may span pieces.
class HttpHeaderScanner {
public:
    // The part of piece that belongs to the body: empty while the header goes on.
    std::string_view Feed(std::string_view piece) noexcept;
    bool InBody() const noexcept { return inBody_; }

private:
    int lineEnds_ = 0;
    bool inBody_ = false;
};

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
