// What a screen reader is told of each result through ResultAnnouncer: the accessibility
// events Qt's AT-SPI bridge turns into the signals Orca reads.

#include "window/result_announcer.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "tests/window/heard_events.h"

namespace tramela {
namespace {

class ResultAnnouncerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(platform, nullptr) << "the platform has no accessibility";
    platform->setActive(true);
    a_->setObjectName(QStringLiteral("a"));
    b_->setObjectName(QStringLiteral("b"));
    b_->move(0, 30);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    HeardEvents::events.clear();
    QAccessible::installUpdateHandler(&HeardEvents::record);
  }
  void TearDown() override { QAccessible::installUpdateHandler(nullptr); }

  QWidget window_;
  QRadioButton* a_ = new QRadioButton(QStringLiteral("a"), &window_);
  QRadioButton* b_ = new QRadioButton(QStringLiteral("b"), &window_);
  ResultAnnouncer announcer_;
};

TEST_F(ResultAnnouncerTest, EachResultIsToldOnceAndAnUnchangedOneIsToldAgain) {
  using enum ChoiceFocus;
  struct Step {
    const char* what;
    const char* control;  // announce on it; nullptr withdraws
    const char* result;
    ChoiceFocus focus;
    std::vector<std::string> heard;
  };
  const Step steps[] = {
      {"first result", "a", "38,1", Arrives, {"a=38,1"}},
      {"another control", "b", "0,1", Arrives, {"a=", "b=0,1"}},
      {"the same result again", "b", "0,1", Stays, {"b=", "b=0,1", "notification 0,1"}},
      {"withdrawn", nullptr, nullptr, Stays, {"b=", "notification hidden"}},
      {"withdrawn twice", nullptr, nullptr, Stays, {}},
      {"the focus stays", "b", "0,1", Stays, {"b=0,1", "notification 0,1"}},
      {"an empty result", "b", "", Stays, {"b=", "notification hidden"}},
      {"the focus arrives", "a", "254", Arrives, {"a=254"}},
      {"and stays", "a", "254", Stays, {"a=", "a=254", "notification 254"}},
      {"and arrives again", "a", "254", Arrives, {"a=", "notification hidden", "a=254"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    HeardEvents::events.clear();
    if (step.control == nullptr) {
      announcer_.withdraw();
    } else {
      QWidget* control = step.control == std::string("a") ? a_ : b_;
      announcer_.announce(control, QString::fromUtf8(step.result), step.focus);
    }
    EXPECT_EQ(HeardEvents::events, step.heard);
  }
}

// The notification is there for screen readers only: it shows nothing and takes nothing.
TEST_F(ResultAnnouncerTest, TheNotificationIsNotSeen) {
  announcer_.announce(a_, QStringLiteral("1"), ChoiceFocus::Stays);
  QWidget* notification = announcer_.notification();
  ASSERT_NE(notification, nullptr);
  EXPECT_TRUE(notification->isVisible());
  EXPECT_TRUE(notification->size().isEmpty());
  EXPECT_EQ(notification->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(notification->window(), &window_);
}

}  // namespace
}  // namespace tramela
