#include "window/screen_fit.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "window/form1.h"

namespace tramela {
namespace {

bool wholeInView(const QScrollArea& scroller, const QWidget* child) {
  const QRect inView(child->mapTo(scroller.viewport(), QPoint(0, 0)), child->size());
  return scroller.viewport()->rect().contains(inView);
}

// Where the window fits it opens as it is; elsewhere scrolled, framed within the area, as wide
// as the window where there is room; the focus and the scroll bars bring controls into view.
TEST(ScreenFit, TheWindowOpensWithinTheAvailableArea) {
  struct Case { const char* screen; QRect available; bool scrolled; bool horizontalBar; };
  const Case cases[] = {
      {"the window's own size", {40, 30, 312, 503}, false, false},
      {"1280 x 720 at 150 %", {0, 0, 853, 480}, true, false},
      {"1366 x 768 at 200 %, a panel on top", {0, 16, 683, 368}, true, false},
      {"one pixel too short", {0, 0, 400, 502}, true, false},
      {"narrower and shorter", {0, 0, 300, 300}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screen);
    Form1 form([](const std::exception&) {});
    ScreenFit fit(form, c.available);
    QWidget* window = form.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window, c.scrolled ? static_cast<QWidget*>(fit.scroller()) : &form);
    if (!c.scrolled || fit.scroller() == nullptr) continue;
    QScrollArea& scroller = *fit.scroller();
    EXPECT_EQ(form.geometry(), QRect(0, 0, 312, 503));
    EXPECT_EQ(window->windowTitle(), "TRAMELA");
    EXPECT_TRUE(c.available.contains(window->frameGeometry()));
    EXPECT_EQ(scroller.horizontalScrollBar()->isVisible(), c.horizontalBar);
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    form.findChild<QWidget*>(QStringLiteral("Option11"))->setFocus();
    EXPECT_TRUE(wholeInView(scroller, QApplication::focusWidget()));
    scroller.verticalScrollBar()->setValue(scroller.verticalScrollBar()->maximum());
    EXPECT_TRUE(wholeInView(scroller, form.findChild<QWidget*>(QStringLiteral("Label1"))));
  }
}

}  // namespace
}  // namespace tramela
