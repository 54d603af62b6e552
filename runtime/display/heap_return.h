// Giving the heap's free pages back to the system while frames run.
#pragma once

namespace zrv {

// The GL driver takes and frees many blocks of a few dozen KiB each frame; the C library's
// heap keeps the freed ones in place, so that a program's resident size stays at the most
// its frames ever needed at once (and creeps up with them) although the memory it uses
// stays the same. The frame loop hands the pages that hold no block back to the system, at
// most once per period.
class HeapReturn {
public:
    static constexpr double kPeriodMs = 10000;

    // Called once per frame; the first call only starts the count.
    void AtFrame(double nowMs);

private:
    double lastMs_ = -1;
};

}  // namespace zrv
