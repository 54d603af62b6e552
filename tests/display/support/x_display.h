// A connection of the test's own to the X server the program runs on: it finds windows,
// reads what the server knows about them, moves the focus, and types and moves the mouse
// through XTest, as a user at the machine would.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <utility>

namespace zrv::test {

class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool Ok() const { return display_ != nullptr; }
    Display* Get() const { return display_; }

    // The first top-level window whose title is exactly title; 0 when none appears in time.
    Window FindWindow(const std::string& title, double timeoutSeconds = 10) const;
    std::string Title(Window window) const;
    // Width and height of the window's drawing area.
    std::pair<int, int> Size(Window window) const;
    Window FocusedWindow() const;
    void Focus(Window window) const;
    // A plain window of the test's own that takes the keyboard focus away.
    Window CreateFocusThief() const;
    void Destroy(Window window) const;
    // What a window manager does when the minimise button is clicked, and to bring the
    // window back: the hidden state announced, the window unmapped, and the reverse.
    void Minimise(Window window) const;
    void Restore(Window window) const;
    // What a window manager sends when the close box is clicked.
    void RequestClose(Window window) const;

    // keysym names as in X11/keysymdef.h without "XK_", e.g. "Escape", "a", "Up".
    void KeyDown(const char* keysym) const;
    void KeyUp(const char* keysym) const;
    void Tap(const char* keysym) const;
    void MovePointerTo(int x, int y) const;
    void MovePointerBy(int dx, int dy) const;
    // Moves the pointer the way xdotool and some remote desktops do: a warp, which sends
    // the windows their motion events but reports no device motion.
    void WarpPointerTo(int x, int y) const;
    void ButtonDown(unsigned button) const;
    void ButtonUp(unsigned button) const;
    void Click(unsigned button) const;

private:
    Display* display_ = nullptr;
};

}  // namespace zrv::test
