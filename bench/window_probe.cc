// Starts a program under X, waits for its first top-level window to be
// mapped, then ends it. Prints the median time to the window and the median
// peak resident memory over RUNS starts.
//
// usage: window_probe RUNS PROGRAM [ARGS...]

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

struct Start {
  double milliseconds;
  long peak_kib;
};

Start StartOnce(char** command) {
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x) != 0) {
    std::fprintf(stderr, "window_probe: no display\n");
    std::exit(2);
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
  uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);

  auto begin = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child == 0) {
    execvp(command[0], command);
    _exit(127);
  }
  auto deadline = begin + std::chrono::seconds(60);
  bool mapped = false;
  while (!mapped && std::chrono::steady_clock::now() < deadline && xcb_connection_has_error(x) == 0) {
    std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_poll_for_event(x), &std::free);
    if (event) {
      mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
      continue;
    }
    pollfd ready{xcb_get_file_descriptor(x), POLLIN, 0};
    poll(&ready, 1, 100);
  }
  if (!mapped) {
    std::fprintf(stderr, "window_probe: no window appeared\n");
    kill(child, SIGKILL);
    std::exit(1);
  }
  double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
  kill(child, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  xcb_disconnect(x);
  return {elapsed, usage.ru_maxrss};
}

template <class T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: window_probe RUNS PROGRAM [ARGS...]\n");
    return 2;
  }
  int runs = std::atoi(argv[1]);
  std::vector<double> times;
  std::vector<long> peaks;
  for (int i = 0; i < runs; ++i) {
    Start start = StartOnce(argv + 2);
    times.push_back(start.milliseconds);
    peaks.push_back(start.peak_kib);
  }
  std::printf("%.2f %ld\n", Median(times), Median(peaks));
  return 0;
}
