#include "client/WindowBackground.h"

#include <dlfcn.h>

#include <cstdint>

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

namespace tc::client {

namespace {

// The two xcb calls, found in the libxcb that Qt's X11 platform already
// loaded: the program needs no X11 headers to build and no libxcb where it
// does not run on X11.
using ChangeAttributes = std::uint32_t (*)(void* connection, std::uint32_t window, std::uint32_t mask,
                                           const void* values);
using Flush = int (*)(void* connection);
constexpr std::uint32_t kBackPixel = 2;  // XCB_CW_BACK_PIXEL

struct Xcb {
    ChangeAttributes change = nullptr;
    Flush flush = nullptr;
    Xcb() {
        void* lib = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
        if (!lib) return;
        change = reinterpret_cast<ChangeAttributes>(dlsym(lib, "xcb_change_window_attributes"));
        flush = reinterpret_cast<Flush>(dlsym(lib, "xcb_flush"));
    }
};

} // namespace

bool setNativeBackground(QWidget* window, const QColor& colour) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || !window->testAttribute(Qt::WA_WState_Created)) return false;
    static const Xcb xcb;
    if (!xcb.change || !xcb.flush) return false;
    // A true-colour pixel, as Qt's windows have (24 or 32 bits deep).
    const std::uint32_t pixel = 0xFF000000u | (colour.rgb() & 0xFFFFFFu);
    xcb.change(x11->connection(), static_cast<std::uint32_t>(window->winId()), kBackPixel, &pixel);
    xcb.flush(x11->connection());
    return true;
}

} // namespace tc::client
