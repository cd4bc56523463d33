// x11_test_window INSTANCE CLASS [PID]: prints the id of an undecorated, static-gravity window once
// it is mapped (so xdotool places it exactly) and exits at end of stdin. PID 0 sets no _NET_WM_PID;
// without PID the window carries the helper's own.

#include <xcb/xcb.h>
#include <xcb/xcb_icccm.h>

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
    if (argc < 3)
        return 2;
    const std::string classes = std::string(argv[1]) + '\0' + argv[2] + '\0';
    const auto pid = uint32_t(argc > 3 ? std::strtoul(argv[3], nullptr, 10) : getpid());

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;

    const xcb_window_t window = xcb_generate_id(connection);
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 100, 100, 400, 300, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);

    xcb_icccm_set_wm_class(connection, window, classes.size(), classes.data());
    if (pid > 0)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
                            intern(connection, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);

    xcb_size_hints_t hints{};
    xcb_icccm_size_hints_set_position(&hints, 1, 100, 100);
    xcb_icccm_size_hints_set_win_gravity(&hints, XCB_GRAVITY_STATIC);
    xcb_icccm_set_wm_normal_hints(connection, window, &hints);
    const uint32_t motif[] = {2, 0, 0, 0, 0}; // no decorations
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

    char buffer[64];
    while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    xcb_disconnect(connection);
    return 0;
}
