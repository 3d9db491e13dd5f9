/* mapwait: starts a program and prints how many milliseconds passed until it mapped a top-level
 * window with the given title (or any title when the title is "-"), then ends the program with
 * SIGTERM and waits for it. The program's output goes to /dev/null. Exit status 0 on success, 1 when the program ended or the time-out
 * passed before such a window appeared, 2 on a usage or display error.
 *
 *   mapwait TITLE TIMEOUT_MS PROGRAM [ARG...]
 *
 * It listens for MapNotify on the root window from before the program starts, so no window
 * can be missed and no polling interval adds to the figure. */
#define _POSIX_C_SOURCE 200809L
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static int title_matches(xcb_connection_t* c, xcb_window_t w, const char* title) {
    if (strcmp(title, "-") == 0)
        return 1;
    xcb_get_property_cookie_t ck =
        xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* r = xcb_get_property_reply(c, ck, NULL);
    int ok = 0;
    if (r) {
        int len = xcb_get_property_value_length(r);
        ok = len == (int)strlen(title) && memcmp(xcb_get_property_value(r), title, len) == 0;
        free(r);
    }
    return ok;
}

static void end_child(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 500; ++i) { /* up to 5 s, then it is killed */
        if (waitpid(pid, NULL, WNOHANG) == pid)
            return;
        nanosleep(&(struct timespec){0, 10000000}, NULL);
    }
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: mapwait TITLE TIMEOUT_MS PROGRAM [ARG...]\n");
        return 2;
    }
    const char* title = argv[1];
    const double timeout = atof(argv[2]);
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "mapwait: cannot open the display\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t ck = xcb_change_window_attributes_checked(c, screen->root,
                                                                XCB_CW_EVENT_MASK, &mask);
    xcb_generic_error_t* err = xcb_request_check(c, ck);
    if (err) {
        fprintf(stderr, "mapwait: cannot watch the root window\n");
        return 2;
    }

    const double start = now_ms();
    const pid_t pid = fork();
    if (pid < 0)
        return 2;
    if (pid == 0) {
        /* The program's own output would mix with the figures. */
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    struct pollfd pfd = {xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        xcb_generic_event_t* e;
        while ((e = xcb_poll_for_event(c)) != NULL) {
            if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const xcb_map_notify_event_t* m = (const xcb_map_notify_event_t*)e;
                const double at = now_ms();
                if (!m->override_redirect && title_matches(c, m->window, title)) {
                    printf("%.1f\n", at - start);
                    fflush(stdout);
                    free(e);
                    end_child(pid);
                    return 0;
                }
            }
            free(e);
        }
        if (xcb_connection_has_error(c) || waitpid(pid, NULL, WNOHANG) == pid ||
            now_ms() - start > timeout) {
            fprintf(stderr, "mapwait: no window \"%s\" appeared\n", title);
            end_child(pid);
            return 1;
        }
        poll(&pfd, 1, 5);
    }
}
