// Asks a window to close as a window manager does (see close_request.h), from the shell.
// Usage: send_close_request WINDOW-ID   (decimal or 0x-prefixed hex; DISPLAY names the server)

#include <cstdio>
#include <cstdlib>

#include "tests/e2e/close_request.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WINDOW-ID\n", argv[0]);
    return 2;
  }
  char* end = nullptr;
  const unsigned long window = std::strtoul(argv[1], &end, 0);
  if (end == argv[1] || *end != '\0') {
    std::fprintf(stderr, "not a window id: %s\n", argv[1]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open the display\n");
    return 1;
  }
  const bool sent = tramela::sendCloseRequest(display, window);
  XSync(display, False);
  XCloseDisplay(display);
  return sent ? 0 : 1;
}
