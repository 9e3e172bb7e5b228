#include "window/screen_fit.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

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
      {"narrower than the smallest window", {50, 40, 0, 0}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screen);
    Form1 form([](const std::exception&) {});
    ScreenFit fit(form, c.available);
    QWidget* window = form.window();
    if (!c.available.isEmpty()) ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window, c.scrolled ? static_cast<QWidget*>(fit.scroller()) : &form);
    if (!c.scrolled || fit.scroller() == nullptr) continue;
    QScrollArea& scroller = *fit.scroller();
    EXPECT_EQ(form.geometry(), QRect(0, 0, 312, 503));
    EXPECT_EQ(window->windowTitle(), "TRAMELA");
    // Where even the smallest window does not fit, its left edge and its title stay on the area.
    EXPECT_GE(window->frameGeometry().left(), c.available.left());
    EXPECT_GE(window->frameGeometry().top(), c.available.top());
    if (c.available.isEmpty()) continue;
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

// The controls Tab, or Shift+Tab, visits from the focus until it is back there.
QStringList tabCycle(Qt::KeyboardModifiers modifiers) {
  const QWidget* start = QApplication::focusWidget();
  QStringList visited;
  do {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
    visited << QApplication::focusWidget()->objectName();
  } while (QApplication::focusWidget() != start && visited.size() < 8);
  return visited;
}

// In the scrolled window Tab and Shift+Tab visit the controls they visit in the window as it
// is, keys that no control takes scroll nothing, and each result shows whole, with the button
// that gave it where both fit, the view moved no further than that needs.
TEST(ScreenFit, TheScrolledWindowKeepsTheKeysAndShowsEachResult) {
  const QRect kAreas[] = {{0, 0, 1920, 1050}, {0, 0, 853, 480}, {0, 16, 683, 368}, {0, 0, 300, 300}};
  QStringList plainCycles;
  for (const QRect& available : kAreas) {
    SCOPED_TRACE(testing::Message() << available.width() << " x " << available.height());
    Form1 form([](const std::exception&) {});
    ScreenFit fit(form, available);
    QApplication::setActiveWindow(form.window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.window()));
    QStringList cycles;
    for (const char* option : {"Option5", "Option11"}) {
      form.findChild<QRadioButton*>(option)->click();
      form.findChild<QWidget*>(QStringLiteral("dati1"))->setFocus();
      cycles << tabCycle(Qt::NoModifier).join(u' ') << tabCycle(Qt::ShiftModifier).join(u' ');
    }
    if (fit.scroller() == nullptr) {
      plainCycles = cycles;
      continue;
    }
    EXPECT_EQ(cycles.join(u'|').toStdString(), plainCycles.join(u'|').toStdString());
    QScrollBar& bar = *fit.scroller()->verticalScrollBar();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up}) {
      const int before = bar.value();
      QTest::keyClick(QApplication::focusWidget(), key);
      EXPECT_EQ(bar.value(), before) << "key " << key;
    }
    const QWidget* label1 = form.findChild<QWidget*>(QStringLiteral("Label1"));
    form.findChild<QLineEdit*>(QStringLiteral("dati1"))->setText(QStringLiteral("1,5"));
    for (QRadioButton* button : form.findChildren<QRadioButton*>()) {
      bar.setValue(0);
      const int lowestBefore = bar.value() + fit.scroller()->viewport()->height();
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
      EXPECT_TRUE(wholeInView(*fit.scroller(), label1)) << button->objectName().toStdString();
      const int bothFrom = button->mapTo(&form, QPoint(0, 0)).y();
      const int bothTo = label1->geometry().bottom() + 1;
      if (bothTo - bothFrom <= fit.scroller()->viewport()->height()) {
        EXPECT_TRUE(wholeInView(*fit.scroller(), button)) << button->objectName().toStdString();
      }
      EXPECT_EQ(bar.value() + fit.scroller()->viewport()->height(), std::max(lowestBefore, bothTo));
    }
  }
}

}  // namespace
}  // namespace tramela
