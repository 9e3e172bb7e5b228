// Starts a program and reports how long it took to map its first top-level window, read
// from the X server's own MapNotify event on the root window, and the program's peak
// resident memory (VmHWM) once the window has been up for a moment. Then asks the window
// to close, as a window manager would, and waits for the program to end.
//
//   map_timer [--settle-ms N] program [args...]
//   prints: "<milliseconds from exec to MapNotify> <VmHWM in kB> <exit status>"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "tests/e2e/close_request.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultSettleMs = 500;
constexpr int kMapTimeoutMs = 10000;
constexpr int kExitTimeoutMs = 5000;

long peakResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// Waits for the next X event up to a deadline; false on time-out.
bool nextEvent(Display* display, XEvent& event, Clock::time_point deadline) {
  while (XPending(display) == 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left.count()));
  }
  XNextEvent(display, &event);
  return true;
}

int waitForExit(pid_t pid) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(kExitTimeoutMs);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    usleep(1000);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char** argv) {
  int settleMs = kDefaultSettleMs;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--settle-ms") == 0) {
    settleMs = std::atoi(argv[2]);
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: map_timer [--settle-ms N] program [args...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "map_timer: cannot open display\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[first], argv + first);
    _exit(127);
  }

  // The first top-level window mapped after the fork is the program's: nothing else runs
  // on this display. Override-redirect windows (menus, tooltips) do not count.
  const auto mapDeadline = start + std::chrono::milliseconds(kMapTimeoutMs);
  Window window = None;
  XEvent event;
  while (window == None && nextEvent(display, event, mapDeadline)) {
    if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect) {
      window = event.xmap.window;
    }
  }
  const auto mapped = Clock::now();
  if (window == None) {
    std::fprintf(stderr, "map_timer: no window mapped within %d ms\n", kMapTimeoutMs);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return 1;
  }

  usleep(static_cast<useconds_t>(settleMs) * 1000);
  const long peakKb = peakResidentKb(pid);
  tramela::sendCloseRequest(display, window);
  XFlush(display);
  const int exitStatus = waitForExit(pid);

  const double ms = std::chrono::duration<double, std::milli>(mapped - start).count();
  std::printf("%.2f %ld %d\n", ms, peakKb, exitStatus);
  XCloseDisplay(display);
  return 0;
}
