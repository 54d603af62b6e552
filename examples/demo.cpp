// A small tour of the runtime: its values (texts, numbers, arrays, random numbers) on
// standard output, then a window with text, sprites, a turning sprite, a polygon and a
// virtual screen until Escape is pressed or the window is closed.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "zorvane.h"

namespace {

void Show(const RtString& line) { std::printf("%s\n", line.c_str()); }

constexpr std::int32_t kBall = 1;
constexpr std::int32_t kCard = 2;
constexpr std::int32_t kPanel = 3;
constexpr std::int32_t kPanelScreen = 0;
constexpr std::int32_t kTransparent = 0x8000FF;  // red 255, green 0, blue 128

std::int32_t Colour(std::int32_t red, std::int32_t green, std::int32_t blue) { return red + green * 256 + blue * 65536; }

// Sprites drawn with the primitives and grabbed from the screen: the transparent colour
// around them becomes transparent.
void MakeSprites() {
    FillRect(0, 0, 64, 32, kTransparent);
    for (std::int32_t y = 0; y < 32; ++y) {
        const double half = std::sqrt(std::max(0.0, 15.5 * 15.5 - (y - 15.5) * (y - 15.5)));
        const auto from = static_cast<std::int32_t>(16 - half);
        const auto to = static_cast<std::int32_t>(16 + half);
        if (to > from) DrawLineSegment(from, y, to - 1, y, Colour(255, 80 + y * 5, 40));
    }
    GrabScreenToSprite(kBall, 0, 0, 32, 32);
    FillRect(32, 0, 32, 32, Colour(40, 60, 200));
    FillRect(36, 4, 24, 24, Colour(250, 250, 250));
    FillRect(40, 8, 16, 16, kTransparent);
    GrabScreenToSprite(kCard, 32, 0, 32, 32);
    ClearBackBuffer();
}

// The virtual screen: moving bars and a caption, redrawn every frame.
void DrawPanel(double time) {
    UseVirtualScreen(kPanelScreen);
    FillRect(0, 0, 160, 100, Colour(20, 30, 60));
    for (std::int32_t i = 0; i < 8; ++i) {
        const auto height = static_cast<std::int32_t>(40 + 35 * std::sin(time * 3 + i * 0.7));
        FillRect(8 + i * 19, 96 - height, 14, height, Colour(60 + i * 24, 200 - i * 20, 255));
    }
    DrawText("virtual", 4, 4);
    UseVirtualScreen(-1);
}

void DrawStar(double time) {
    const std::int32_t cx = 520;
    const std::int32_t cy = 300;
    BeginPolygon(-1);
    AddPolygonVertex(cx, cy, 0, 0, Colour(255, 255, 255));
    for (std::int32_t i = 10; i >= 0; --i) {
        const double angle = time + i * 3.14159265358979 / 5;
        const double radius = i % 2 == 0 ? 90 : 38;
        AddPolygonVertex(cx + static_cast<std::int32_t>(radius * std::cos(angle)),
                         cy + static_cast<std::int32_t>(radius * std::sin(angle)), 0, 0,
                         i % 2 == 0 ? Colour(255, 200, 0) : Colour(255, 60, 120));
    }
    EndPolygon();
}

void RunWindowDemo() {
    MakeSprites();
    CreateVirtualScreen(kPanelScreen, kPanel, 160, 100);
    std::int32_t width = 0, height = 0;
    QueryScreenSizeInt(width, height);
    double x = 100, y = 120, dx = 2.5, dy = 1.75;
    for (std::int32_t frame = 0;; ++frame) {
        const double time = ElapsedMs() / 1000.0;
        DrawPanel(time);

        // A backdrop in two shaded halves, then the pieces on top of it.
        BeginPolygon(-1);
        AddPolygonVertex(0, 0, 0, 0, Colour(10, 20, 40));
        AddPolygonVertex(0, height, 0, 0, Colour(40, 10, 60));
        AddPolygonVertex(width, height, 0, 0, Colour(10, 50, 70));
        AddPolygonVertex(width, 0, 0, 0, Colour(20, 20, 30));
        EndPolygon();
        DrawStar(time);
        x += dx;
        y += dy;
        if (x < 0 || x > width - 32) dx = -dx;
        if (y < 60 || y > height - 32) dy = -dy;
        DrawSprite(kBall, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
        // Grabbed sprites keep the transparent colour under their transparent pixels, which
        // smoothing would blend into the edges.
        SetSmoothing(0);
        DrawSpriteRotoZoom(kCard, 300, 260, time * 90, 2 + std::sin(time));
        SetSmoothing(1);
        DrawSpriteZoomed(kPanel, 60, 300, 1.5, 1.5);
        SetBlendAlpha(-0.6);
        DrawSpriteRotoZoom(kPanel, 380, 110, std::sin(time) * 20, 1);
        SetBlendAlpha(0);

        DrawText("Zorvane demo", 16, 16);
        DrawText("Escape ends the demo", 16, 36);
        DrawText(RtString("frame ") + frame + "  " + FormatNumber(0, 1, 1000.0 / QueryFrameTime()) + " fps", 16,
                 height - 24);
        PresentFrame();
    }
}

double OnQuit() {
    Show("quit hook: the runtime is about to shut down");
    return 0;
}

}  // namespace

void ApplyProjectSettings() {
    GetProjectSettings().title = "Zorvane demo";
}

void ProgramMain() {
    Show(RtString("Running as: ") + GetCommandLineText());

    RtString greeting = "Hello";
    greeting += ", world";
    Show(greeting + " has " + static_cast<std::int32_t>(greeting.Length()) + " characters");
    Show(RtString("1/3 = ") + 1.0 / 3 + ", 1e10 = " + 1e10 + ", 0.05 = " + 0.05 + ", 2.0 = " + 2.0);
    Show(RtString("[") + FormatNumber(8, 2, 3.14159) + "] " + UpperCase("upper") + " " +
         ReplaceText("a-b-c", "-", "--"));
    Show(RtString("\"10\" > 9 as numbers: ") + static_cast<std::int32_t>(RtString("10") > 9) +
         ", as texts: " + static_cast<std::int32_t>(RtString("10") > "9"));

    RtStringArray words;
    const std::int32_t count = SplitString("the quick,brown fox", words, " ,");
    SortStringRange(&words(0), &words(count - 1), nullptr);
    RtString sorted;
    for (std::int32_t i = 0; i < count; ++i) sorted += words(i) + (i + 1 < count ? " " : "");
    Show(RtString("sorted words: ") + sorted);

    RtNumberArray table;
    DimArray(table, 3, 4);
    for (std::int32_t y = 0; y < 4; ++y) {
        for (std::int32_t x = 0; x < 3; ++x) table(x, y) = SinDeg(30.0 * (x + 3 * y));
    }
    Show(RtString("sin 30 = ") + table(1, 0) + ", last element = " + table(-1, 3));

    SeedRandom(42);
    RtString dice;
    for (int i = 0; i < 10; ++i) dice += RtString(i ? " " : "") + (RandomInt(5) + 1);
    Show(RtString("ten dice: ") + dice);
    Show(RtString("running for ") + FormatNumber(0, 1, ElapsedMs()) + " ms; " + GetErrorText());

    // Without a display there is no window to show anything in.
    if (GetMainWindow() == nullptr) return;
    Show("window demo: Escape ends it");
    RunWindowDemo();
}

const FunctionNameEntry FunctionNameTable[] = {
    {OnQuit, "ZRV_ON_QUIT"},
    {nullptr, nullptr},
};
