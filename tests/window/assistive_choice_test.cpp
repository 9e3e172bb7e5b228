#include "window/assistive_choice.h"

#include <QAccessible>

#include "tests/window/form1_fixture.h"

namespace tramela {
namespace {

using AssistiveChoice = Form1Fixture;

void toggleAsAnAssistiveTechnology(QWidget* button) {
  QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
      QAccessibleActionInterface::toggleAction());
}

// With a bad number typed, a choice by the toggle action returns before its error is reported
// and nothing typed or toggled before the report is taken; a click reports before it returns.
TEST_F(AssistiveChoice, AnActionReturnsBeforeItsErrorIsReported) {
  struct Case {
    const char* how;
    bool byAction;  // otherwise by a click
    int reportedOnReturn;
    const char* fieldAfterTyping9;
  };
  const Case cases[] = {{"toggle action, twice", true, 0, "1,5x"}, {"click", false, 1, "1,5x9"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    dati1()->setText(QStringLiteral("1,5x"));
    sinkCalls_ = 0;
    if (c.byAction) {
      toggleAsAnAssistiveTechnology(option(QStringLiteral("Option1")));
      toggleAsAnAssistiveTechnology(option(QStringLiteral("Option2")));
    } else {
      click(QStringLiteral("Option3"));
    }
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
