#include "net/http_response.h"

namespace zrv {

std::string_view HttpHeaderScanner::Feed(std::string_view piece) noexcept {
    if (inBody_) return piece;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        if (piece[i] == '\n') {
            if (++lineEnds_ == 2) {
                inBody_ = true;
                return piece.substr(i + 1);
            }
        } else if (piece[i] != '\r') {
            lineEnds_ = 0;
        }
    }
    return {};
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
