// HTTP answers from outside, cut into pieces as the network might deliver them: the first
// bytes choose the text's maximum and where the answer is cut. However it is cut, the
// body found equals the one found in the whole answer, and the text kept is an unbroken
// beginning of that body no longer than the maximum, all of it when it fits in one piece.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "net/http_response.h"

namespace {

std::string BodyOf(std::string_view answer) {
    zrv::HttpHeaderScanner header;
    return std::string(header.Feed(answer));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::size_t limit = static_cast<std::size_t>(data[0]) * 8 + data[1];
    const std::size_t cutEvery = data[2] % 32 + 1;
    const std::string_view answer(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::string whole = BodyOf(answer);

    zrv::HttpHeaderScanner header;
    zrv::BoundedBody text(limit);
    std::string body;
    std::vector<std::size_t> pieces;
    for (std::size_t at = 0; at < answer.size();) {
        // Piece lengths vary with the bytes themselves, so cuts land everywhere.
        const std::size_t length = std::min(answer.size() - at, cutEvery + static_cast<std::uint8_t>(answer[at]) % 3);
        const std::string_view piece = header.Feed(answer.substr(at, length));
        at += length;
        body.append(piece);
        if (!piece.empty()) {
            pieces.push_back(piece.size());
            text.Take(piece);
        }
    }
    if (body != whole) std::abort();
    const std::string& kept = text.Text();
    if (kept.size() > limit || body.compare(0, kept.size(), kept) != 0) std::abort();
    // The kept pieces are exactly the leading ones that fitted.
    std::size_t expected = 0;
    for (const std::size_t piece : pieces) {
        if (expected + piece > limit) break;
        expected += piece;
    }
    if (kept.size() != expected) std::abort();
    return 0;
}
