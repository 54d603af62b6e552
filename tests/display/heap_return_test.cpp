// The frame loop's hand-back of free heap pages, by the resident size of this process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "display/heap_return.h"
#include "support/sanitizer.h"

namespace zrv::test {
namespace {

double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Blocks of the size the GL driver takes per frame, written to, then freed but for every
// sixteenth one: the holes between the kept blocks stay resident, as they do in a player
// that has run for minutes.
class HeapWithHoles {
public:
    HeapWithHoles() {
        constexpr std::size_t kBlock = 48 * 1024;
        for (int i = 0; i < 512; ++i) {
            void* block = std::malloc(kBlock);
            std::memset(block, i, kBlock);
            blocks_.push_back(block);
        }
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            if (i % 16 != 15) {
                std::free(blocks_[i]);
                blocks_[i] = nullptr;
            }
        }
    }
    ~HeapWithHoles() {
        for (void* block : blocks_) std::free(block);
    }
    HeapWithHoles(const HeapWithHoles&) = delete;
    HeapWithHoles& operator=(const HeapWithHoles&) = delete;

private:
    std::vector<void*> blocks_;
};

TEST(HeapReturn, FreePagesGoBackOncePerPeriodOfFrames) {
#ifdef ZRV_ADDRESS_SANITIZER
    GTEST_SKIP() << "the sanitizer's allocator is not the C library's heap";
#endif
    HeapReturn heapReturn;
    heapReturn.AtFrame(0);
    HeapWithHoles holes;
    const double before = ResidentMiB();

    heapReturn.AtFrame(1);
    heapReturn.AtFrame(HeapReturn::kPeriodMs - 1);
    EXPECT_GT(ResidentMiB(), before - 2) << "pages went back before the period was over";

    heapReturn.AtFrame(HeapReturn::kPeriodMs);
    EXPECT_LT(ResidentMiB(), before - 16) << "about 22 MiB of holes stayed resident";
}

}  // namespace
}  // namespace zrv::test
