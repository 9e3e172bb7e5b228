#include "window/assistive_choice.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

#include <functional>

#include "tests/window/form1_fixture.h"

namespace tramela {
namespace {

class AssistiveChoice : public Form1Fixture {
 protected:
  void toggle(const QString& optionName) {
    QAccessible::queryAccessibleInterface(option(optionName))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
  }
};

// With a bad number typed, a choice through the toggle action returns before its error is
// reported, and the window takes nothing typed before the report; a click and an arrow key
// report before they return, as they always have.
TEST_F(AssistiveChoice, AnActionReturnsBeforeItsErrorIsReported) {
  struct Case {
    const char* how;
    std::function<void()> choose;
    int reportedOnReturn;
    const char* fieldAfterTyping9;
  };
  const Case cases[] = {
      {"toggle action",
       [this] {
         toggle(QStringLiteral("Option1"));
         toggle(QStringLiteral("Option2"));  // a second action before the report: not taken
       },
       0, "1,5x"},
      {"click", [this] { click(QStringLiteral("Option3")); }, 1, "1,5x9"},
      {"arrow key", [this] { QTest::keyClick(option(QStringLiteral("Option3")), Qt::Key_Down); },
       1, "1,5x9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    dati1()->setText(QStringLiteral("1,5x"));
    sinkCalls_ = 0;
    c.choose();
    EXPECT_EQ(sinkCalls_, c.reportedOnReturn);
    type(QStringLiteral("9"));
    QApplication::processEvents();
    EXPECT_EQ(sinkCalls_, 1);
    EXPECT_EQ(sinkKind_, ErrorKind::ConversionError);
    EXPECT_EQ(dati1()->text().toStdString(), c.fieldAfterTyping9);
  }
}

}  // namespace
}  // namespace tramela
