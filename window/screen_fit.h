#pragma once

#include <QRect>

#include <memory>

class QScrollArea;
class QWidget;

namespace tramela {

class Form1;

// Shows a window on a screen that may be too small for it.
//
// Where the window fits the available area of its screen (the screen less its panels), it
// is shown as it is, nothing around it. Where it does not, as at 200 % on a 1366 x 768
// screen, it is shown inside a scrolled window with its title and icon, no larger than that
// area, whose frame lies within it: every control keeps its place and size in the window,
// and the scroll bars bring each into view, as does the focus arriving on it. Tab and the
// arrow keys do what they do in the window as it is: the view is no Tab stop, and no key
// scrolls it. After each conversion it scrolls the least that shows the result whole, and
// the chosen button too where both fit.
// Sizes are in device-independent pixels, as Qt's scaling gives them.
//   ScreenFit(form1 312 x 503, available 1920 x 1050) -> Form1 shown as it is
//   ScreenFit(form1 312 x 503, available 683 x 384)   -> scrolled window, client 683 x 384 at
//                                                        most, its frame within the area
class ScreenFit {
 public:
  // Shows window on the screen it opens on.
  explicit ScreenFit(Form1& window);
  // Shows window within available, in the coordinates of the screens.
  ScreenFit(Form1& window, const QRect& available);
  // Takes the window back from the scrolled window, which it does not outlive.
  ~ScreenFit();

  ScreenFit(const ScreenFit&) = delete;
  ScreenFit& operator=(const ScreenFit&) = delete;

  // The scrolled window around the window; null where the window is shown as it is.
  QScrollArea* scroller() const { return scroller_.get(); }

 private:
  QWidget& window_;
  std::unique_ptr<QScrollArea> scroller_;
};

}  // namespace tramela
