#pragma once

#include <X11/Xlib.h>

namespace tramela {

// Asks a window to close as a window manager does: a WM_PROTOCOLS client message carrying
// WM_DELETE_WINDOW. The window's program decides what to do; nothing is destroyed here.
// Returns false if the server refused to send it. The caller flushes or syncs.
inline bool sendCloseRequest(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  return XSendEvent(display, window, False, NoEventMask, &event) != 0;
}

}  // namespace tramela
