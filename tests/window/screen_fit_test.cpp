#include "window/screen_fit.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "window/form1.h"

namespace tramela {
namespace {

// Whether child shows whole in the scrolled window's view.
bool wholeInView(const QScrollArea& scroller, const QWidget* child) {
  const QRect inView(child->mapTo(scroller.viewport(), QPoint(0, 0)), child->size());
  return scroller.viewport()->rect().contains(inView);
}

// The window opens as it is where it fits; elsewhere in a scrolled window whose frame lies
// within the available area, the window's whole width shown where there is room for it,
// and the controls out of view are reached by scrolling and by the focus.
TEST(ScreenFit, TheWindowOpensWithinTheAvailableArea) {
  struct Case {
    const char* screen;
    QRect available;  // in device-independent pixels
    bool scrolled;
    bool horizontalBar;
  };
  const Case cases[] = {
      {"1920 x 1080 less a panel", {0, 0, 1920, 1050}, false, false},
      {"the window's own size", {40, 30, 312, 503}, false, false},
      {"1280 x 720 at 150 %", {0, 0, 853, 480}, true, false},
      {"1366 x 768 at 200 %, a panel on top", {0, 16, 683, 368}, true, false},
      {"one pixel too short", {0, 0, 400, 502}, true, false},
      {"narrower and shorter", {0, 0, 300, 300}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screen);
    Form1 form([](const std::exception&) {});
    const QSize size = form.size();
    ScreenFit fit(form, c.available);
    QWidget* window = form.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(fit.scroller() != nullptr, c.scrolled);
    EXPECT_EQ(form.size(), size);
    if (!c.scrolled) {
      EXPECT_EQ(window, &form);
      continue;
    }
    QScrollArea& scroller = *fit.scroller();
    EXPECT_EQ(window, &scroller);
    EXPECT_EQ(window->windowTitle(), "TRAMELA");
    EXPECT_TRUE(c.available.contains(window->frameGeometry()));
    EXPECT_EQ(scroller.horizontalScrollBar()->isVisible(), c.horizontalBar);
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* last = form.findChild<QRadioButton*>(QStringLiteral("Option11"));
    const bool lastOutOfView = !wholeInView(scroller, last);
    last->setFocus();
    EXPECT_TRUE(wholeInView(scroller, last)) << "out of view at first: " << lastOutOfView;
    for (QScrollBar* bar : {scroller.horizontalScrollBar(), scroller.verticalScrollBar()}) {
      bar->setValue(bar->maximum());
    }
    EXPECT_TRUE(wholeInView(scroller, form.findChild<QLabel*>(QStringLiteral("Label1"))));
  }
}

}  // namespace
}  // namespace tramela
