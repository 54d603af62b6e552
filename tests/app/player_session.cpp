#include "player_session.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace zrv::test {

namespace {

// The rate of the runtime's sound device when the driver names none, as the disk driver
// does not.
constexpr int kDeviceRate = 48000;
constexpr double kRecentMs = 300;
constexpr std::streamoff kFrameBytes = 8;

}  // namespace

Rgb Screen::At(int x, int y) const {
    const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

int Screen::Brightest(int left, int top, int right, int bottom) const {
    int brightest = 0;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) brightest = std::max(brightest, At(x, y).Brightest());
    }
    return brightest;
}

int Screen::RightmostBrighter(int left, int top, int right, int bottom, int level) const {
    for (int x = right; x >= left; --x) {
        for (int y = top; y <= bottom; ++y) {
            if (At(x, y).Brightest() > level) return x;
        }
    }
    return -1;
}

// Rows are 13.5 pixels apart from y = 48 with the player's 8 x 12 font; drawing cuts
// positions to whole pixels.
EntryRow::EntryRow(int row)
    : top(static_cast<int>(48 + 13.5 * row)),
      bottom(static_cast<int>(48 + 13.5 * (row + 1))),
      clickY(static_cast<int>(48 + 13.5 * row + 7)),
      markerY(static_cast<int>(48 + 13.5 * row + 3.25) + 3) {}

PlayerSession::PlayerSession(const std::string& start, const std::string& home) : soundFile_(work_ / "sound.raw") {
    MakeFolder(start);
    MakeFolder(home);
    MakeFolder(work_ / "tmp");
    child_ = std::make_unique<LiveChild>(ZRV_PLAYER_PATH,
                                         std::vector<std::pair<std::string, std::string>>{
                                             {"HOME", home},
                                             {"TMPDIR", work_ / "tmp"},
                                             {"SDL_AUDIODRIVER", "disk"},
                                             {"SDL_DISKAUDIOFILE", soundFile_},
                                         },
                                         std::vector<std::string>{start});
}

PlayerSession::~PlayerSession() = default;

bool PlayerSession::Open() {
    if (!x_.Ok()) return false;
    window_ = x_.FindWindow(kPlayerTitle, 30);
    if (window_ == 0) return false;
    x_.Focus(window_);
    Window child = 0;
    XTranslateCoordinates(x_.Get(), window_, DefaultRootWindow(x_.Get()), 0, 0, &rootX_, &rootY_, &child);
    // The first frames are drawn once the window has its final size.
    return WaitForScreen([](const Screen& screen) { return screen.At(1, 1).IsGrey(125); }, 30);
}

Screen PlayerSession::Shot() const {
    XImage* image = XGetImage(x_.Get(), window_, 0, 0, kPlayerWidth, kPlayerHeight, AllPlanes, ZPixmap);
    if (image == nullptr) return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kPlayerWidth) * kPlayerHeight);
    for (int y = 0; y < kPlayerHeight; ++y) {
        for (int x = 0; x < kPlayerWidth; ++x) {
            pixels[static_cast<std::size_t>(y) * kPlayerWidth + x] = static_cast<std::uint32_t>(XGetPixel(image, x, y));
        }
    }
    XDestroyImage(image);
    return Screen(kPlayerWidth, kPlayerHeight, std::move(pixels));
}

void PlayerSession::MoveTo(int x, int y) const { x_.MovePointerTo(rootX_ + x, rootY_ + y); }
void PlayerSession::Press() const { x_.ButtonDown(1); }
void PlayerSession::Release() const { x_.ButtonUp(1); }

bool PlayerSession::WaitForFrames(const EntryRow& musicRow, int count) {
    Rgb last = Shot().At(kMarkerX, musicRow.markerY);
    for (int changes = 0; changes < count; ++changes) {
        const bool changed = WaitForScreen([&](const Screen& screen) {
            const Rgb now = screen.At(kMarkerX, musicRow.markerY);
            if (now.Near(last.red, last.green, last.blue, 0)) return false;
            last = now;
            return true;
        });
        if (!changed) return false;
    }
    return true;
}

Capture PlayerSession::Sound() const { return Capture(soundFile_, kDeviceRate); }

namespace {

// The last stretch the device played, copied aside so that a long output is not read
// whole at every look.
Capture RecentSound(const std::string& soundFile, const std::string& scratch, double ms) {
    std::ifstream in(soundFile, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    const std::streamoff wanted = static_cast<std::streamoff>(ms * kDeviceRate / 1000) * kFrameBytes;
    const std::streamoff from = std::max<std::streamoff>(0, (size - wanted) / kFrameBytes * kFrameBytes);
    std::string bytes(static_cast<std::size_t>(size - from), '\0');
    if (in) {
        in.seekg(from);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    WriteFile(scratch, bytes);
    return Capture(scratch, kDeviceRate);
}

}  // namespace

double PlayerSession::RecentLevel() const {
    const Capture recent = RecentSound(soundFile_, work_ / "recent.raw", kRecentMs);
    return recent.Rms(0, 0, recent.LengthMs());
}

bool PlayerSession::WaitForTone(double hz, double minimum, double seconds) const {
    const double deadline = Now() + seconds;
    do {
        const Capture recent = RecentSound(soundFile_, work_ / "recent.raw", kRecentMs);
        const double length = recent.LengthMs();
        if (length >= kRecentMs - 1 && recent.Rms(0, 0, length) >= minimum &&
            (hz == 0 || std::abs(recent.FrequencyHz(0, length) - hz) < hz * 0.03)) {
            return true;
        }
        Pause(0.05);
    } while (Now() < deadline);
    return false;
}

bool PlayerSession::WaitForSilence(double seconds) const {
    const double deadline = Now() + seconds;
    do {
        const Capture recent = RecentSound(soundFile_, work_ / "recent.raw", kRecentMs);
        if (recent.LengthMs() >= kRecentMs - 1 && recent.Peak(0, 0, recent.LengthMs()) < 1e-4) return true;
        Pause(0.05);
    } while (Now() < deadline);
    return false;
}

ChildResult PlayerSession::Finish(double seconds) { return child_->Finish(seconds); }

// The folder line's text starts at x = 9, one 8-pixel cell per character, rows 28 to 39.
int FolderLineChars(const Screen& screen) {
    const int right = screen.RightmostBrighter(9, 28, 636, 39, 100);
    return right < 0 ? 0 : (right - 9) / 8 + 1;
}

int ListedRows(const Screen& screen) {
    int rows = 0;
    for (int row = 0; row < 9; ++row) {
        if (screen.At(7, EntryRow(row).markerY).Brightest() >= 60) ++rows;
    }
    return rows;
}

bool MarkedAsMusic(const Screen& screen, const EntryRow& row) {
    const Rgb inside = screen.At(kMarkerX, row.markerY);
    return inside.blue - inside.red > 60 && inside.red > 40;
}

bool Selected(const Screen& screen, const EntryRow& row) {
    return screen.At(kEntryLeft, row.clickY).Near(125, 125, 250);
}

std::string TestMedia(const std::string& name) { return std::string(ZRV_TEST_MEDIA_DIR) + "/" + name; }

void MakeFolder(const std::string& path) { std::filesystem::create_directories(path); }

}  // namespace zrv::test
