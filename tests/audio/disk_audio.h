// Tests that play through SDL's disk driver: the sound device is opened per test with its
// output going to a file of the test's own, and the file is measured afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "capture.h"
#include "support/temp_dir.h"

namespace zrv::test {

std::string Media(const std::string& name);

// Opens the runtime's sound device on the given SDL driver ("disk" or "dummy") with
// TMPDIR in the test's folder; closes music, slots and device at the end.
class AudioTest : public ::testing::Test {
protected:
    explicit AudioTest(const char* driver = "disk") : driver_(driver) {}
    void SetUp() override;
    void TearDown() override;

    // Music, slots and device released; what the device played.
    Capture Finish();
    // How long a stretch of wall-clock time lasts in the device's output. The disk driver
    // paces itself with sleeps, which run late by some fraction on a busy machine, so its
    // output falls behind the clock; known after Finish.
    double InOutput(double wallMs) const { return wallMs * deviceSpeed_; }
    // Waits, restarting looping music as the frame loop would.
    static void RunFor(double ms);
    // Waits (as RunFor) until condition holds; the milliseconds that took, or -1.
    template <class Condition>
    static double WaitFor(Condition condition, double timeoutMs) {
        const double start = Now();
        while (!condition()) {
            if (Now() - start > timeoutMs) return -1;
            RunFor(2);
        }
        return Now() - start;
    }
    static double Now();

    TempDir folder;
    std::string output;
    int rate = 0;

private:
    void Release();
    const char* driver_;
    bool open_ = false;
    std::string oldTmpdir_;
    double openedAt_ = 0;
    double deviceSpeed_ = 1;
};

class NoDeviceTest : public AudioTest {
protected:
    NoDeviceTest() : AudioTest("dummy") {}
};

}  // namespace zrv::test
