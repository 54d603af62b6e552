// The player where no window can be opened: it must not run on unseen.
#include <gtest/gtest.h>

#include "display/support/no_display.h"

namespace zrv::test {
namespace {

TEST(PlayerWithoutDisplay, EndsAtOnceWithTheReasonAndAFailureCode) {
    ExpectStartWithoutAWindowFails(ZRV_PLAYER_PATH);
}

}  // namespace
}  // namespace zrv::test
