// The least an X client does to show a painted window: open the display,
// make a window, map it, and once it is exposed put one image of its size
// into it. The start-up benchmark times it as the floor under the program.
//   bench_x_floor [width height]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    const unsigned width = argc > 2 ? unsigned(std::atoi(argv[1])) : 640;
    const unsigned height = argc > 2 ? unsigned(std::atoi(argv[2])) : 480;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy)
        return 2;
    const int screen = DefaultScreen(dpy);
    XSetWindowAttributes a{};
    a.background_pixmap = None;
    a.event_mask = ExposureMask;
    const Window w = XCreateWindow(dpy, RootWindow(dpy, screen), 0, 0, width, height, 0, CopyFromParent, InputOutput,
                                   CopyFromParent, CWBackPixmap | CWEventMask, &a);
    XStoreName(dpy, w, "floor");
    XMapWindow(dpy, w);
    // A grey picture of the window's size, as a program's back buffer would be.
    char* pixels = static_cast<char*>(std::malloc(size_t(width) * height * 4));
    std::memset(pixels, 0xC0, size_t(width) * height * 4);
    XImage* image = XCreateImage(dpy, DefaultVisual(dpy, screen), unsigned(DefaultDepth(dpy, screen)), ZPixmap, 0, pixels,
                                 width, height, 32, 0);
    const GC gc = XCreateGC(dpy, w, 0, nullptr);
    for (;;) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == Expose && e.xexpose.count == 0) {
            XPutImage(dpy, w, gc, image, 0, 0, 0, 0, width, height);
            XFlush(dpy);
        }
    }
}
