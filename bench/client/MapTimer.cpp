// map_timer [--until-drawn] COMMAND [ARG ...]: how long a program takes, as
// a person sees it, from the command to its first window mapped on the X
// server named by DISPLAY, and to that window first painted. Starts the command, waits for
// the first top-level window to be mapped (a bare X server: no window
// manager stands between), then for the pixels at five points of it to
// differ from the root window's colour (start the X server with -br, a
// black root, so an unpainted window shows black), then ends the program
// and prints
// one line:
//   <mapped ms> <user cpu ms> <system cpu ms> <peak resident KiB> <painted ms>
// the CPU and memory being the program's own up to the paint. A window's
// first colour may be its background alone; with --until-drawn it waits
// on (up to 20 s) until one of the five points changes from the colour the
// paint showed, the first thing drawn on it, and adds <drawn ms>, the CPU
// and memory then being those up to the drawing. Exit status
// 0, or 1 when nothing was mapped or painted within 20 s (the program is
// ended then too), 2 on a wrong command line or no X server.
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double ms(const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; }

} // namespace

int main(int argc, char** argv) {
    const bool untilDrawn = argc > 1 && std::strcmp(argv[1], "--until-drawn") == 0;
    if (untilDrawn) {
        --argc;
        ++argv;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_timer [--until-drawn] COMMAND [ARG ...]\n");
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "map_timer: no X server (DISPLAY)\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    // The server has it before the program starts.
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    // The root's colour at its corner, before anything is mapped.
    uint32_t unpainted = 0;
    if (auto* r = xcb_get_image_reply(x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, 0, 1, 1, ~0u), nullptr)) {
        if (xcb_get_image_data_length(r) >= 4) unpainted = *reinterpret_cast<uint32_t*>(xcb_get_image_data(r));
        free(r);
    }

    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0) return 2;
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    bool mapped = false;
    double wall = 0;
    xcb_window_t window = 0;
    pollfd pfd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (!mapped && nowMs() - start < 20000) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(x)) {
            if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY && !mapped) {
                wall = nowMs() - start;
                window = reinterpret_cast<xcb_map_notify_event_t*>(e)->window;
                mapped = true;
            }
            free(e);
        }
        if (mapped || xcb_connection_has_error(x)) break;
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "map_timer: the program ended without a window\n");
            return 1;
        }
        poll(&pfd, 1, 20);
    }
    // Painted: any of five points (the middle and towards the corners)
    // differs from the root's colour an unpainted window shows.
    double painted = 0, drawn = 0;
    if (mapped) {
        auto* g = xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr);
        const int w = g ? g->width : 1, h = g ? g->height : 1;
        free(g);
        const int points[5][2] = {{w / 2, h / 2}, {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
        auto sample = [&](uint32_t* out) {
            for (int i = 0; i < 5; ++i) {
                auto* r = xcb_get_image_reply(
                    x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(points[i][0]), int16_t(points[i][1]), 1, 1, ~0u),
                    nullptr);
                out[i] = r && xcb_get_image_data_length(r) >= 4 ? *reinterpret_cast<uint32_t*>(xcb_get_image_data(r)) : 0;
                free(r);
            }
        };
        uint32_t now[5];
        while (nowMs() - start < 20000 && !xcb_connection_has_error(x)) {
            sample(now);
            bool changed = false;
            for (int i = 0; i < 5; ++i) changed = changed || now[i] != unpainted;
            if (changed) {
                painted = nowMs() - start;
                break;
            }
            usleep(1000);
        }
        if (untilDrawn && painted > 0) {
            uint32_t first[5];
            for (int i = 0; i < 5; ++i) first[i] = now[i];
            while (nowMs() - start < 20000 && !xcb_connection_has_error(x)) {
                sample(now);
                if (std::memcmp(now, first, sizeof now) != 0) {
                    drawn = nowMs() - start;
                    break;
                }
                usleep(1000);
            }
        }
    }
    // Ended at once, so its CPU time is the start-up's.
    kill(child, SIGKILL);
    int status = 0;
    rusage use{};
    wait4(child, &status, 0, &use);
    xcb_disconnect(x);
    if (!mapped || painted == 0 || (untilDrawn && drawn == 0)) {
        std::fprintf(stderr, "map_timer: no window %s within 20 s\n", !mapped ? "mapped" : painted == 0 ? "painted" : "drawn");
        return 1;
    }
    std::printf("%.2f %.2f %.2f %ld %.2f", wall, ms(use.ru_utime), ms(use.ru_stime), use.ru_maxrss, painted);
    if (untilDrawn) std::printf(" %.2f", drawn);
    std::printf("\n");
    return 0;
}
