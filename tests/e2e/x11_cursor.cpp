// Says whether the X server shows a cursor at the pointer now: "visible" when
// the current cursor image has any pixel that is not fully transparent,
// "hidden" otherwise (a program hides the cursor by giving its window a blank
// one). Usage: x11-cursor
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11-cursor: cannot open the display\n");
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "x11-cursor: the X server has no XFIXES extension\n");
        return 1;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) {
        std::fprintf(stderr, "x11-cursor: no cursor image\n");
        return 1;
    }
    bool visible = false;
    // Pixels are ARGB in an unsigned long each.
    for (long i = 0; i < static_cast<long>(image->width) * image->height && !visible; ++i)
        visible = (image->pixels[i] >> 24) != 0;
    std::printf("%s\n", visible ? "visible" : "hidden");
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
