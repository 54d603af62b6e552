// What came out of the audio device: the file SDL's disk driver writes (interleaved stereo
// 32-bit float at the device rate), and measurements on it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zrv::test {

struct Stretch {
    double startMs;
    double endMs;
    double LengthMs() const { return endMs - startMs; }
};

class Capture {
public:
    Capture(const std::string& path, int rate);

    int Rate() const { return rate_; }
    double LengthMs() const { return FramesToMs(left_.size()); }
    // Root mean square of one side (0 left, 1 right) between two times.
    double Rms(int side, double fromMs, double toMs) const;
    // Largest absolute sample of one side between two times.
    double Peak(int side, double fromMs, double toMs) const;
    // Frequency from the rising zero crossings of one side between two times.
    double FrequencyHz(double fromMs, double toMs, int side = 0) const;
    // Where either side is louder than threshold (RMS over 2 ms blocks), with gaps shorter
    // than minGapMs bridged.
    std::vector<Stretch> Sounding(double threshold = 0.02, double minGapMs = 20) const;

private:
    double FramesToMs(std::size_t frames) const { return frames * 1000.0 / rate_; }
    std::size_t MsToFrames(double ms) const;

    int rate_;
    std::vector<float> left_;
    std::vector<float> right_;
};

}  // namespace zrv::test
