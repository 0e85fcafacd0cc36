// Saves the X display's root window as a PNG file, for showing what a headless run drew.
//
//   tarn_screenshot OUTPUT.png
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

#include "resources/png_encoder.hpp"

namespace {

// 8-bit value of a channel given its mask in the image's pixel format.
unsigned char channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    const unsigned long max = mask >> shift;
    return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* image =
        XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image == nullptr) {
        std::fprintf(stderr, "cannot read the screen\n");
        XCloseDisplay(display);
        return 1;
    }
    tarn::Image rgb;
    bool ok = rgb.allocate(image->width, image->height, tarn::PixelFormat::RGB8);
    for (int y = 0; ok && y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            unsigned char* out = rgb.row(y) + x * 3;
            out[0] = channel(pixel, image->red_mask);
            out[1] = channel(pixel, image->green_mask);
            out[2] = channel(pixel, image->blue_mask);
        }
    }
    ok = ok && tarn::save_png(rgb, argv[1]);
    XDestroyImage(image);
    XCloseDisplay(display);
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return ok ? 0 : 1;
}
