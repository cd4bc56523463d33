// A plain X11 window in a process of its own, for the workspace tests. It prints its window id
// once the window manager shows it and goes away when its standard input closes.
//
//   x11_test_window [--class INSTANCE CLASS] [--pid N | --no-pid]
//
// The window has no decorations and static gravity, so a position asked for with xdotool is the
// client window's own position and the tests can place it on a pixel exactly.

#include <xcb/xcb.h>
#include <xcb/xcb_icccm.h>

#include <poll.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_atom_t intern(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

} // namespace

int main(int argc, char** argv) {
    std::string instance = "brevimar-test";
    std::string windowClass = "Brevimar-test";
    long pid = getpid();
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--class" && i + 2 < argc) {
            instance = argv[++i];
            windowClass = argv[++i];
        } else if (option == "--pid" && i + 1 < argc) {
            pid = std::strtol(argv[++i], nullptr, 10);
        } else if (option == "--no-pid") {
            pid = 0;
        } else {
            std::fprintf(stderr, "x11_test_window: unknown option %s\n", argv[i]);
            return 2;
        }
    }

    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "x11_test_window: no display\n");
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    xcb_screen_t* screen = screens.data;

    const xcb_window_t window = xcb_generate_id(connection);
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 100, 100, 400, 300, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);

    const std::string title = "Brevimar test " + instance;
    xcb_icccm_set_wm_name(connection, window, XCB_ATOM_STRING, 8, title.size(), title.data());
    const std::string classes = instance + '\0' + windowClass + '\0';
    xcb_icccm_set_wm_class(connection, window, classes.size(), classes.data());
    if (pid > 0) {
        const uint32_t value = pid;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
                            intern(connection, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &value);
    }

    xcb_size_hints_t hints{};
    xcb_icccm_size_hints_set_position(&hints, 1, 100, 100);
    xcb_icccm_size_hints_set_win_gravity(&hints, XCB_GRAVITY_STATIC);
    xcb_icccm_set_wm_normal_hints(connection, window, &hints);
    // Motif hints: no decorations.
    const uint32_t motif[] = {2, 0, 0, 0, 0};
    const xcb_atom_t motifAtom = intern(connection, "_MOTIF_WM_HINTS");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, motifAtom, motifAtom, 32, 5,
                        motif);

    xcb_map_window(connection, window);
    xcb_flush(connection);
    // Mapped means the window manager has taken the window in.
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped)
            break;
    }
    std::printf("%u\n", window);
    std::fflush(stdout);

    pollfd watched[] = {{STDIN_FILENO, POLLIN, 0},
                        {xcb_get_file_descriptor(connection), POLLIN, 0}};
    for (;;) {
        if (poll(watched, 2, -1) < 0)
            break;
        if (watched[0].revents) {
            char buffer[64];
            if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
                break;
        }
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
            std::free(event);
        if (xcb_connection_has_error(connection))
            return 1;
    }
    xcb_disconnect(connection);
    return 0;
}
