#include "capture.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace zrv::test {

Capture::Capture(const std::string& path, int rate) : rate_(rate) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t frames = bytes.size() / (2 * sizeof(float));
    left_.resize(frames);
    right_.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        float pair[2];
        std::copy_n(bytes.data() + i * sizeof pair, sizeof pair, reinterpret_cast<char*>(pair));
        left_[i] = pair[0];
        right_[i] = pair[1];
    }
}

std::size_t Capture::MsToFrames(double ms) const {
    const double frames = std::max(0.0, ms) * rate_ / 1000.0;
    return std::min(left_.size(), static_cast<std::size_t>(frames));
}

double Capture::Rms(int side, double fromMs, double toMs) const {
    const auto& samples = side == 0 ? left_ : right_;
    const std::size_t from = MsToFrames(fromMs);
    const std::size_t to = MsToFrames(toMs);
    if (to <= from) return 0;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

double Capture::Peak(int side, double fromMs, double toMs) const {
    const auto& samples = side == 0 ? left_ : right_;
    double peak = 0;
    for (std::size_t i = MsToFrames(fromMs); i < MsToFrames(toMs); ++i) peak = std::max(peak, std::fabs(double(samples[i])));
    return peak;
}

double Capture::FrequencyHz(double fromMs, double toMs, int side) const {
    const auto& samples = side == 0 ? left_ : right_;
    const std::size_t from = MsToFrames(fromMs);
    const std::size_t to = MsToFrames(toMs);
    std::size_t first = 0;
    std::size_t last = 0;
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) {
            if (crossings == 0) first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2) return 0;
    return (crossings - 1) * static_cast<double>(rate_) / static_cast<double>(last - first);
}

std::vector<Stretch> Capture::Sounding(double threshold, double minGapMs) const {
    const std::size_t block = std::max<std::size_t>(1, static_cast<std::size_t>(rate_ / 500));
    std::vector<Stretch> stretches;
    bool inside = false;
    for (std::size_t start = 0; start + block <= left_.size(); start += block) {
        const double fromMs = FramesToMs(start);
        const double toMs = FramesToMs(start + block);
        const bool loud = std::max(Rms(0, fromMs, toMs), Rms(1, fromMs, toMs)) > threshold;
        if (loud && !inside) {
            if (!stretches.empty() && fromMs - stretches.back().endMs < minGapMs) {
                stretches.back().endMs = toMs;
            } else {
                stretches.push_back({fromMs, toMs});
            }
        } else if (loud) {
            stretches.back().endMs = toMs;
        }
        inside = loud;
    }
    return stretches;
}

}  // namespace zrv::test
