#include "display/support/x_display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include "support/clock.h"

namespace zrv::test {

namespace {

// The server's error for a window that vanished while the test looked at it is not a
// failure of the test.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

XDisplay::XDisplay() : display_(XOpenDisplay(nullptr)) {
    if (display_ != nullptr) XSetErrorHandler(IgnoreErrors);
}

XDisplay::~XDisplay() {
    if (display_ != nullptr) XCloseDisplay(display_);
}

std::string XDisplay::Title(Window window) const {
    std::string title;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
    if (XGetWindowProperty(display_, window, netName, 0, 1024, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) == Success && data != nullptr && count > 0) {
        title.assign(reinterpret_cast<char*>(data), count);
    } else {
        char* name = nullptr;
        if (XFetchName(display_, window, &name) != 0 && name != nullptr) title = name;
        if (name != nullptr) XFree(name);
    }
    if (data != nullptr) XFree(data);
    return title;
}

Window XDisplay::FindWindow(const std::string& title, double timeoutSeconds) const {
    const double deadline = Now() + timeoutSeconds;
    do {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) != 0) {
            for (unsigned i = 0; i < count && found == 0; ++i) {
                if (Title(children[i]) == title) found = children[i];
            }
            if (children != nullptr) XFree(children);
        }
        if (found != 0) return found;
        Pause(0.02);
    } while (Now() < deadline);
    return 0;
}

std::pair<int, int> XDisplay::Size(Window window) const {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window, &attributes) == 0) return {0, 0};
    return {attributes.width, attributes.height};
}

Window XDisplay::FocusedWindow() const {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus;
}

void XDisplay::Focus(Window window) const {
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
}

Window XDisplay::CreateFocusThief() const {
    const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 50, 50, 0, 0, 0);
    XSelectInput(display_, window, StructureNotifyMask);
    XMapWindow(display_, window);
    for (XEvent event{}; event.type != MapNotify;) XWindowEvent(display_, window, StructureNotifyMask, &event);
    Focus(window);
    return window;
}

void XDisplay::Destroy(Window window) const {
    XDestroyWindow(display_, window);
    XSync(display_, False);
}

void XDisplay::Minimise(Window window) const {
    Atom hidden = XInternAtom(display_, "_NET_WM_STATE_HIDDEN", False);
    XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&hidden), 1);
    XUnmapWindow(display_, window);
    XSync(display_, False);
}

void XDisplay::Restore(Window window) const {
    XDeleteProperty(display_, window, XInternAtom(display_, "_NET_WM_STATE", False));
    XMapWindow(display_, window);
    XSync(display_, False);
}

void XDisplay::RequestClose(Window window) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

void XDisplay::KeyDown(const char* keysym) const {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XStringToKeysym(keysym)), True, CurrentTime);
    XSync(display_, False);
}

void XDisplay::KeyUp(const char* keysym) const {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XStringToKeysym(keysym)), False, CurrentTime);
    XSync(display_, False);
}

void XDisplay::Tap(const char* keysym) const {
    KeyDown(keysym);
    KeyUp(keysym);
}

void XDisplay::MovePointerTo(int x, int y) const {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XSync(display_, False);
}

void XDisplay::MovePointerBy(int dx, int dy) const {
    XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime);
    XSync(display_, False);
}

void XDisplay::WarpPointerTo(int x, int y) const {
    XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
    XSync(display_, False);
}

void XDisplay::ButtonDown(unsigned button) const {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XSync(display_, False);
}

void XDisplay::ButtonUp(unsigned button) const {
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
}

void XDisplay::Click(unsigned button) const {
    ButtonDown(button);
    ButtonUp(button);
}

}  // namespace zrv::test
