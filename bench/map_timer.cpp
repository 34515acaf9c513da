// SPDX-License-Identifier: MIT
// Starts a program on the X display and measures, as a user would feel them: the time from
// exec to its first mapped top-level window, its memory one second later, and the CPU time
// and wakeups it spends over the following idle seconds with its window focused.
//   map_timer IDLE_SECONDS PROGRAM [ARGS...]
// prints one line: map_ms=… rss_kib=… pss_kib=… idle_cpu_ms=… idle_wakeups=…
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Usage {
  long long cpu_ns = 0;    // time on a CPU, summed over threads (schedstat, nanoseconds)
  long long switches = 0;  // context switches, voluntary and not, summed over threads
};

Usage ReadUsage(pid_t pid) {
  Usage usage;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  for (const auto& task : std::filesystem::directory_iterator(tasks)) {
    std::ifstream schedstat(task.path() / "schedstat");
    long long on_cpu = 0;
    schedstat >> on_cpu;
    usage.cpu_ns += on_cpu;
    std::ifstream status(task.path() / "status");
    for (std::string line; std::getline(status, line);) {
      if (line.find("ctxt_switches:") != std::string::npos) {
        usage.switches += std::stoll(line.substr(line.find(':') + 1));
      }
    }
  }
  return usage;
}

long long ReadKib(pid_t pid, const std::string& field) {
  std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
  for (std::string line; std::getline(rollup, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stoll(line.substr(field.size() + 1));
  }
  return -1;
}

// The first top-level window mapped on the display, or 0 if the program ends before one.
xcb_window_t WaitForMappedWindow(xcb_connection_t* connection, pid_t pid) {
  pollfd x_events{xcb_get_file_descriptor(connection), POLLIN, 0};
  while (true) {
    while (xcb_generic_event_t* raw = xcb_poll_for_event(connection)) {
      const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(raw, &std::free);
      if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY) continue;
      const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
      if (map->override_redirect == 0) return map->window;
    }
    if (xcb_connection_has_error(connection) != 0 || waitpid(pid, nullptr, WNOHANG) != 0) return 0;
    // Wakes at once for an X event; the timeout only lets a program that died be noticed.
    poll(&x_events, 1, 100);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: map_timer IDLE_SECONDS PROGRAM [ARGS...]\n");
    return 2;
  }
  const int idle_seconds = std::atoi(argv[1]);
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    std::fprintf(stderr, "map_timer: cannot open the X display\n");
    return 2;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);

  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  const xcb_window_t window = WaitForMappedWindow(connection, pid);
  if (window == 0) {
    std::fprintf(stderr, "map_timer: %s ended without showing a window\n", argv[2]);
    return 1;
  }
  const double map_ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

  // Without a window manager nobody gives the window the keyboard: do it, so the focused
  // box blinks its caret as it would on a desktop.
  xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
  xcb_flush(connection);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const long long rss = ReadKib(pid, "Rss");
  const long long pss = ReadKib(pid, "Pss");
  const Usage before = ReadUsage(pid);
  std::this_thread::sleep_for(std::chrono::seconds(idle_seconds));
  const Usage after = ReadUsage(pid);

  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  xcb_disconnect(connection);
  std::printf("map_ms=%.1f rss_kib=%lld pss_kib=%lld idle_cpu_ms=%.3f idle_wakeups=%lld\n", map_ms,
              rss, pss, static_cast<double>(after.cpu_ns - before.cpu_ns) / 1e6,
              after.switches - before.switches);
  return 0;
}
