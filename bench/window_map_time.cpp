// Starts a program under the X server named by DISPLAY and times it to the server's MapNotify of
// its top-level window whose name starts with the given title; then reads its resident memory,
// asks it to end (SIGTERM, as a session end does) and times the end, also from the last write of
// a file in DATA_DIR (its modification time) to the process's end.
// Prints: map_ms rss_kb peak_kb end_ms after_last_write_ms
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int titleStartsWith(xcb_connection_t *c, xcb_window_t window, const char *title)
{
    xcb_get_property_cookie_t cookie =
        xcb_get_property(c, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(c, cookie, NULL);
    int same = 0;
    if (reply) {
        const int length = xcb_get_property_value_length(reply);
        const size_t wanted = strlen(title);
        same = length >= (int)wanted && std::memcmp(xcb_get_property_value(reply), title, wanted) == 0;
        free(reply);
    }
    return same;
}

static long statusKb(pid_t pid, const char *field)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *file = fopen(path, "r");
    char line[256];
    long kb = -1;
    while (file && fgets(line, sizeof line, file))
        if (strncmp(line, field, strlen(field)) == 0)
            kb = atol(line + strlen(field));
    if (file)
        fclose(file);
    return kb;
}

// The newest modification time of a file in dir, in ms of the real-time clock.
static double newestWriteMs(const char *dir)
{
    double newest = 0;
    DIR *folder = opendir(dir);
    while (folder) {
        const dirent *entry = readdir(folder);
        if (!entry)
            break;
        char path[4096];
        snprintf(path, sizeof path, "%s/%s", dir, entry->d_name);
        struct stat status;
        if (stat(path, &status) == 0 && S_ISREG(status.st_mode)) {
            const double at = status.st_mtim.tv_sec * 1000.0 + status.st_mtim.tv_nsec / 1e6;
            if (at > newest)
                newest = at;
        }
    }
    if (folder)
        closedir(folder);
    return newest;
}

static double realMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int main(int argc, char **argv)
{
    if (argc < 5) {
        fprintf(stderr, "usage: %s TITLE SETTLE_MS DATA_DIR PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "no X server\n");
        return 2;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(c, xcb_change_window_attributes_checked(c, screen->root, XCB_CW_EVENT_MASK, &mask));

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    double mapped = -1;
    xcb_generic_event_t *event;
    while (mapped < 0 && (event = xcb_wait_for_event(c))) {
        if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY) {
            const double at = nowMs();
            if (titleStartsWith(c, (reinterpret_cast<xcb_map_notify_event_t *>(event))->window, argv[1]))
                mapped = at - start;
        }
        free(event);
    }
    usleep((useconds_t)atol(argv[2]) * 1000);
    const long rss = statusKb(pid, "VmRSS:");
    const long peak = statusKb(pid, "VmHWM:");
    const double asked = nowMs();
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    const double ended = nowMs();
    const double afterWrite = realMs() - newestWriteMs(argv[3]);
    printf("%.1f %ld %ld %.1f %.1f\n", mapped, rss, peak, ended - asked, afterWrite);
    xcb_disconnect(c);
    return 0;
}
