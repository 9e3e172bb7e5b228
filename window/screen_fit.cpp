#include "window/screen_fit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "window/form1.h"

namespace tramela {
namespace {

// The client size of a scrolled window that shows content within available: the content's
// own size and the scroll bars it needs, no larger than available.
QSize scrolledSize(QSize content, QSize available, int barExtent) {
  bool vertical = content.height() > available.height();
  const bool horizontal = content.width() + (vertical ? barExtent : 0) > available.width();
  vertical = vertical || content.height() + (horizontal ? barExtent : 0) > available.height();
  const QSize wanted(content.width() + (vertical ? barExtent : 0),
                     content.height() + (horizontal ? barExtent : 0));
  return wanted.boundedTo(available);
}

// Scrolls view the least that shows child whole, or its end where it is larger than the view.
// (QScrollArea::ensureWidgetVisible shows a label's text cursor, not the label.)
void showWhole(QScrollArea& view, const QWidget& child) {
  const QRect area(child.mapTo(view.widget(), QPoint(0, 0)), child.size());
  const auto scroll = [](QScrollBar* bar, int from, int to, int extent) {
    bar->setValue(std::max(to - extent, std::min(bar->value(), from)));
  };
  scroll(view.horizontalScrollBar(), area.left(), area.right() + 1, view.viewport()->width());
  scroll(view.verticalScrollBar(), area.top(), area.bottom() + 1, view.viewport()->height());
}

// A scrolled window that keeps itself within the available area, frame and all: as large as
// its content and scroll bars need, no larger than the area, and inside it.
class ScrolledWindow : public QScrollArea {
 public:
  explicit ScrolledWindow(const QRect& available) : available_(available) {}

  // Sizes and places the window by the frame it has now: none before it is shown.
  void fit() {
    const QRect frame = frameGeometry();
    const QSize margins = frame.size() - size();
    // At a fractional scale sizes and places are rounded to whole pixels of the screen on
    // their way to the window system and back: a pixel to spare on every side absorbs that.
    const qreal ratio = devicePixelRatioF();
    const int slack = ratio != std::floor(ratio) ? 1 : 0;
    const QRect area = available_.adjusted(slack, slack, -slack, -slack);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    resize(scrolledSize(widget()->size() + QSize(slack, slack), area.size() - margins, bar));
    const QSize framed = size() + margins;
    // Where even the smallest window is larger than the area, its top-left corner stays on it.
    move(std::max(area.left(), std::min(frame.x(), area.right() + 1 - framed.width())),
         std::max(area.top(), std::min(frame.y(), area.bottom() + 1 - framed.height())));
  }

 protected:
  // The keys do in the window what they do where it is shown as it is: the arrows, Page Up
  // and Page Down that no control takes scroll nothing.
  void keyPressEvent(QKeyEvent* event) override { QWidget::keyPressEvent(event); }

  bool event(QEvent* event) override {
    const bool handled = QScrollArea::event(event);
    // The frame arrives with the window manager, which moves the window into it.
    if (!framed_ && event->type() == QEvent::Move && frameGeometry() != geometry()) {
      framed_ = true;
      fit();
    }
    return handled;
  }

 private:
  QRect available_;
  bool framed_ = false;
};

}  // namespace

ScreenFit::ScreenFit(Form1& window)
    : ScreenFit(window, window.screen()->availableGeometry()) {}

ScreenFit::ScreenFit(Form1& window, const QRect& available) : window_(window) {
  if (available.contains(QRect(available.topLeft(), window.size()))) {
    window.show();
    return;
  }
  auto scroller = std::make_unique<ScrolledWindow>(available);
  scroller->setWindowTitle(window.windowTitle());
  scroller->setWindowIcon(window.windowIcon());
  scroller->setFrameShape(QFrame::NoFrame);
  // Tab visits the window's controls, as where it is shown as it is, and not the view.
  scroller->setFocusPolicy(Qt::NoFocus);
  // Round the controls, the window's own colour, as where it is shown as it is.
  scroller->viewport()->setBackgroundRole(QPalette::Window);
  scroller->setWidget(&window);
  scroller->fit();
  // The focus may land on a control out of view, as an arrow key choosing an option moves
  // it: the control is brought into view, as Tab does.
  QObject::connect(qApp, &QApplication::focusChanged, scroller.get(),
                   [this](QWidget*, QWidget* now) {
                     if (now != nullptr && window_.isAncestorOf(now)) {
                       scroller_->ensureWidgetVisible(now);
                     }
                   });
  // A new result is seen whole, with the button that gave it where both fit: the view moves
  // the least that shows the button, then the least that shows the result.
  QObject::connect(&window, &Form1::resultShown, scroller.get(),
                   [view = scroller.get()](QWidget* chosen, QWidget* result) {
                     showWhole(*view, *chosen);
                     showWhole(*view, *result);
                   });
  scroller_ = std::move(scroller);
  scroller_->show();
}

ScreenFit::~ScreenFit() {
  if (scroller_ != nullptr) scroller_->takeWidget();
}

}  // namespace tramela
