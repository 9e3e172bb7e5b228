#include "window/form1.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <tuple>
#include <vector>

#include "tests/window/form1_fixture.h"
#include "window/fonts.h"

namespace tramela {
namespace {

using Form1Behaviour = Form1Fixture;

TEST_F(Form1Behaviour, StartsEmptyWithTheEchoEntrySelectedAndNothingRun) {
  EXPECT_EQ(sinkCalls_, 0);
  EXPECT_EQ(dati1()->text(), "");
  EXPECT_EQ(label1()->text(), "");
  EXPECT_EQ(checkedName(), "Option5");
  EXPECT_EQ(focusName(), "dati1");
}

TEST_F(Form1Behaviour, SelectingAnEntryShowsItsConversionOfTheTypedText) {
  const struct {
    const char* typed;
    const char* option;
    const char* shown;
  } kCases[] = {  // each row selects a button other than the row before
      {"1,5", "Option1", "38,1"},
      {"10", "Option2", "0,393700787401575"},
      {"1.000,5", "Option1", "25412,7"},
      {"2,54", "Option2", "0,1"},
      {"1.5", "Option4", "13,716"},  // the point groups digits in Italian
      {"1", "Option9", "0,101936799184506"},
      {"  abc ", "Option5", "  abc "},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.typed + std::string(" with ") + row.option);
    dati1()->clear();
    type(QString::fromUtf8(row.typed));
    click(QString::fromLatin1(row.option));
    EXPECT_EQ(checkedName(), row.option);
    EXPECT_EQ(label1()->text().toStdString(), row.shown);
  }
  EXPECT_EQ(sinkCalls_, 0);
}

TEST_F(Form1Behaviour, TypingAfterAConversionLeavesTheResult) {
  type(QStringLiteral("1,5"));
  click(QStringLiteral("Option1"));
  ASSERT_EQ(label1()->text(), "38,1");
  type(QStringLiteral("7"));
  dati1()->setText(QStringLiteral("2"));
  EXPECT_EQ(label1()->text(), "38,1");
  EXPECT_EQ(sinkCalls_, 0);
}

// The window's copy of the input follows every change of dati1, typed or set, and the echo
// entry shows it.
TEST_F(Form1Behaviour, TheEchoEntryShowsTheTextAsItNowIs) {
  type(QStringLiteral("1,5"));
  click(QStringLiteral("Option1"));
  ASSERT_EQ(label1()->text(), "38,1");
  type(QStringLiteral("x"));
  click(QStringLiteral("Option5"));
  EXPECT_EQ(label1()->text(), "1,5x");

  dati1()->setText(QStringLiteral("set, not typed"));
  click(QStringLiteral("Option1"));  // an error; the sink returns and the window goes on
  click(QStringLiteral("Option5"));
  EXPECT_EQ(label1()->text(), "set, not typed");

  QTest::keyClick(dati1(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(dati1(), Qt::Key_Delete);
  click(QStringLiteral("Option1"));
  click(QStringLiteral("Option5"));
  EXPECT_EQ(label1()->text(), "");
}

TEST_F(Form1Behaviour, MarkUpAndAmpersandsAreShownAsTyped) {
  const char* const kTexts[] = {"<img src=x>", "<b>x</b>", "a & b", "&Copia", "&&", "1 < 2 > 0"};
  for (const char* text : kTexts) {
    SCOPED_TRACE(text);
    dati1()->setText(QString::fromUtf8(text));
    click(QStringLiteral("Option1"));
    click(QStringLiteral("Option5"));
    EXPECT_EQ(label1()->text().toStdString(), text);
    EXPECT_EQ(label1()->textFormat(), Qt::PlainText);
    EXPECT_EQ(label1()->buddy(), nullptr);
  }
}

TEST_F(Form1Behaviour, AnErrorGoesToTheSinkOnceAndLeavesTheResult) {
  const struct {
    const char* typed;
    const char* option;
    ErrorKind kind;
  } kCases[] = {
      {"abc", "Option1", ErrorKind::ConversionError},
      {"", "Option2", ErrorKind::ConversionError},
      {"   ", "Option11", ErrorKind::ConversionError},
      {"1,2,3", "Option3", ErrorKind::ConversionError},
      {"8E+306", "Option1", ErrorKind::OverflowError},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.typed + std::string(" with ") + row.option);
    dati1()->setText(QStringLiteral("1,5"));
    click(QStringLiteral("Option7"));
    ASSERT_EQ(label1()->text(), "0,0972");
    dati1()->setText(QString::fromUtf8(row.typed));
    sinkCalls_ = 0;
    click(QString::fromLatin1(row.option));
    EXPECT_EQ(sinkCalls_, 1);
    ASSERT_TRUE(sinkKind_.has_value());
    EXPECT_EQ(*sinkKind_, row.kind);
    EXPECT_FALSE(sinkWhat_.empty());
    EXPECT_EQ(label1()->text(), "0,0972");
    EXPECT_EQ(checkedName(), row.option);
  }
}

TEST_F(Form1Behaviour, TheInputFieldSetsNoLimitOfItsOwn) {
  EXPECT_EQ(dati1()->maxLength(), std::numeric_limits<int>::max());
  const QString longText(100000, QLatin1Char('7'));
  dati1()->setText(longText);
  click(QStringLiteral("Option1"));  // reported as a number beyond the range of a double
  click(QStringLiteral("Option5"));
  // The window keeps all of it; the label lays out only the start its box can show.
  EXPECT_EQ(form_.formState().resultText, longText.toStdString());
  EXPECT_TRUE(longText.startsWith(label1()->text()));
  EXPECT_GE(label1()->text().size(), 38);  // two full lines of bold digits at least
}

// With 10 typed and the focus in the group, every arrow moves the selection down or up the
// list as the user sees it, round at either end, and runs the entry it lands on.
TEST_F(Form1Behaviour, ArrowKeysSelectAndRunTheNextEntry) {
  type(QStringLiteral("10"));
  option(QStringLiteral("Option5"))->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(focusName(), "Option5");
  const struct {
    Qt::Key key;
    const char* selected;
    const char* shown;
  } kPresses[] = {
      {Qt::Key_Down, "Option1", "254"},
      {Qt::Key_Down, "Option2", "0,393700787401575"},
      {Qt::Key_Right, "Option3", "10,9361329833771"},
      {Qt::Key_Down, "Option4", "9,144"},
      {Qt::Key_Down, "Option6", "154,320987654321"},
      {Qt::Key_Down, "Option7", "0,648"},
      {Qt::Key_Down, "Option8", "98,1"},
      {Qt::Key_Down, "Option9", "1,01936799184506"},
      {Qt::Key_Down, "Option10", "32,8083989501312"},
      {Qt::Key_Down, "Option11", "3,048"},
      {Qt::Key_Down, "Option5", "10"},
      {Qt::Key_Up, "Option11", "3,048"},
      {Qt::Key_Left, "Option10", "32,8083989501312"},
      {Qt::Key_Up, "Option9", "1,01936799184506"},
  };
  for (const auto& press : kPresses) {
    SCOPED_TRACE(press.selected);
    QTest::keyClick(QApplication::focusWidget(), press.key);
    EXPECT_EQ(checkedName(), press.selected);
    EXPECT_EQ(focusName(), press.selected);
    EXPECT_EQ(label1()->text().toStdString(), press.shown);
  }
  EXPECT_EQ(sinkCalls_, 0);
}

// The group is one Tab stop, at the tab index of its selected button; labels, lines, the
// frame and the picture never take the focus.
TEST_F(Form1Behaviour, TabVisitsTheFieldAndTheSelectedButtonOnly) {
  const struct {
    const char* select;
    Qt::Key key;
    std::vector<const char*> focusAfterEachPress;
  } kCases[] = {
      {"Option5", Qt::Key_Tab, {"Option5", "dati1", "Option5"}},
      {"Option5", Qt::Key_Backtab, {"Option5", "dati1", "Option5"}},
      {"Option1", Qt::Key_Tab, {"Option1", "dati1", "Option1"}},
      {"Option3", Qt::Key_Tab, {"Option3", "dati1", "Option3"}},
      {"Option11", Qt::Key_Backtab, {"Option11", "dati1", "Option11"}},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.select);
    option(QString::fromLatin1(row.select))->setChecked(true);
    dati1()->setFocus(Qt::OtherFocusReason);
    for (const char* expected : row.focusAfterEachPress) {
      QTest::keyClick(QApplication::focusWidget(), row.key);
      EXPECT_EQ(focusName().toStdString(), expected);
    }
  }
  const char* const kNeverFocused[] = {"Picture1", "Label1", "Label3", "Label4",
                                       "Label5",   "Frame1", "Line1",  "Line2"};
  for (const char* name : kNeverFocused) {
    SCOPED_TRACE(name);
    EXPECT_EQ(child<QWidget>(QString::fromLatin1(name))->focusPolicy(), Qt::NoFocus);
  }
}

TEST_F(Form1Behaviour, ClickingTheLabelsFrameAndPictureRunsNothing) {
  type(QStringLiteral("abc"));
  const char* const kNames[] = {"Picture1", "Label1", "Label3", "Label4", "Label5", "Frame1"};
  for (const char* name : kNames) {
    SCOPED_TRACE(name);
    QTest::mouseClick(child<QWidget>(QString::fromLatin1(name)), Qt::LeftButton, {},
                      QPoint(3, 3));
  }
  EXPECT_EQ(sinkCalls_, 0);
  EXPECT_EQ(checkedName(), "Option5");
  EXPECT_EQ(focusName(), "dati1");
}

// Choosing the selected button again runs its entry again on what is typed now, whether
// with the mouse or with Space: a result left from an earlier input would read as the answer.
TEST_F(Form1Behaviour, ChoosingTheSelectedEntryAgainRunsItOnTheCurrentInput) {
  enum class Way { Mouse, Space };
  const struct {
    Way way;
    const char* option;
    const char* first;
    const char* then;
    const char* shown;
  } kCases[] = {
      {Way::Mouse, "Option1", "1,5", "10", "254"},
      {Way::Space, "Option1", "1,5", "10", "254"},
      {Way::Mouse, "Option5", "abc", "xyz", "xyz"},
      {Way::Space, "Option5", "abc", "xyz", "xyz"},
      {Way::Mouse, "Option9", "1", "1", "0,101936799184506"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(std::string(row.way == Way::Mouse ? "mouse " : "Space ") + row.option + ": " +
                 row.first + ", then " + row.then);
    dati1()->setText(QStringLiteral("1"));
    option(QStringLiteral("Option2"))->setChecked(true);  // away from the row's button
    dati1()->setText(QString::fromUtf8(row.first));
    click(QString::fromLatin1(row.option));
    dati1()->setText(QString::fromUtf8(row.then));
    QRadioButton* chosen = option(QString::fromLatin1(row.option));
    if (row.way == Way::Mouse) {
      click(QString::fromLatin1(row.option));
    } else {
      chosen->setFocus(Qt::TabFocusReason);
      QTest::keyClick(chosen, Qt::Key_Space);
    }
    EXPECT_EQ(checkedName(), row.option);
    EXPECT_EQ(label1()->text().toStdString(), row.shown);
  }
  EXPECT_EQ(sinkCalls_, 0);
}

// With a text that is not a number, every run of an entry reaches the sink once: the sink
// counts the runs. Each way of choosing runs exactly one; typing and a press released away
// from the button run none.
TEST_F(Form1Behaviour, EachWayOfChoosingRunsTheEntryOnce) {
  type(QStringLiteral("abc"));
  QRadioButton* option1 = option(QStringLiteral("Option1"));
  const struct {
    const char* what;
    std::function<void()> act;
    int runs;
    const char* selected;
  } kSteps[] = {
      {"arrow down from Option5",
       [&] {
         option(QStringLiteral("Option5"))->setFocus(Qt::TabFocusReason);
         QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
       },
       1, "Option1"},
      {"Space on the selected button", [&] { QTest::keyClick(option1, Qt::Key_Space); }, 1,
       "Option1"},
      {"click on the selected button", [&] { click(QStringLiteral("Option1")); }, 1, "Option1"},
      {"click on another button", [&] { click(QStringLiteral("Option3")); }, 1, "Option3"},
      {"arrow up", [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up); }, 1,
       "Option2"},
      {"typing", [&] { type(QStringLiteral("x")); }, 0, "Option2"},
      {"press on the selected button, released outside it",
       [&] {
         QRadioButton* button = option(QStringLiteral("Option2"));
         QTest::mousePress(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
         QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, -20));
       },
       0, "Option2"},
  };
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.what);
    sinkCalls_ = 0;
    step.act();
    EXPECT_EQ(sinkCalls_, step.runs);
    EXPECT_EQ(checkedName(), step.selected);
  }
}

// A number too long for Label1's line is shown whole at a smaller size; the echo entry's
// text goes back to the result's own size.
TEST_F(Form1Behaviour, ALongNumberIsShownWholeAndTextKeepsTheResultSize) {
  type(QStringLiteral("-1E-300"));
  click(QStringLiteral("Option3"));
  EXPECT_EQ(label1()->text(), "-1,09361329833771E-300");
  EXPECT_LT(label1()->font().pointSizeF(), resultFont().pointSizeF());
  EXPECT_LE(QFontMetricsF(label1()->font()).horizontalAdvance(label1()->text()),
            label1()->contentsRect().width());
  click(QStringLiteral("Option5"));
  EXPECT_EQ(label1()->text(), "-1E-300");
  EXPECT_EQ(label1()->font().pointSizeF(), resultFont().pointSizeF());
}

// From the error's hand-over until the sink returns, whatever path tries to change the window
// (assistive actions and text, an input method, keys and clicks sent past the box) changes
// nothing, no entry runs and no second report is made; with or without a modal box shown.
TEST_F(Form1Behaviour, NothingChangesTheWindowWhileAnErrorIsReported) {
  const auto toggleAction = [](QWidget* button) {
    QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
        QAccessibleActionInterface::toggleAction());
  };
  const auto tryToChange = [&] {
    for (QRadioButton* button : form_.findChildren<QRadioButton*>()) toggleAction(button);
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(dati1());
    field->editableTextInterface()->replaceText(0, field->textInterface()->characterCount(), "1,5");
    field->editableTextInterface()->insertText(0, QStringLiteral("2"));
    field->editableTextInterface()->deleteText(0, 1);
    field->setText(QAccessible::Value, QStringLiteral("3"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("4"));
    QApplication::sendEvent(dati1(), &commit);
    type(QStringLiteral("5"));
    click(QStringLiteral("Option7"));
    click(checkedName());  // choosing the chosen button again
  };
  using Held = std::tuple<std::string, std::string, QString, QString, QString>;
  const auto held = [&] {
    return Held{form_.formState().inputText, form_.formState().resultText, dati1()->text(),
                label1()->text(), checkedName()};
  };
  const auto expectHeld = [&](const Held& was, const char* when) {
    EXPECT_TRUE(held() == was) << when;
  };
  const struct {
    const char* how;
    std::function<void()> firstError;
    bool underABox;
  } kCases[] = {
      {"click", [&] { click(QStringLiteral("Option1")); }, false},
      {"click, box", [&] { click(QStringLiteral("Option1")); }, true},
      {"arrow key, box", [&] { QTest::keyClick(option(QStringLiteral("Option7")), Qt::Key_Down); },
       true},
      {"toggle action", [&] { toggleAction(option(QStringLiteral("Option1"))); }, false},
      {"toggle action, box", [&] { toggleAction(option(QStringLiteral("Option1"))); }, true},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.how);
    dati1()->setText(QStringLiteral("1,5"));
    click(QStringLiteral("Option7"));
    ASSERT_EQ(label1()->text(), "0,0972");
    option(QStringLiteral("Option7"))->setFocus();
    dati1()->setText(QStringLiteral("abc"));
    sinkCalls_ = 0;
    duringReport_ = [&] {
      const Held was = held();
      if (!row.underABox) return tryToChange(), expectHeld(was, "in the sink");
      QMessageBox box(QMessageBox::Critical, "Tramela", "abc", QMessageBox::Ok, &form_);
      QTimer::singleShot(0, &box, [&] {
        tryToChange();
        expectHeld(was, "under the box");
        box.accept();
      });
      box.exec();
    };
    row.firstError();
    const Held afterError = held();
    if (sinkCalls_ == 0) {  // a report that waits for the event loop
      tryToChange();
      expectHeld(afterError, "before the report");
    }
    QApplication::processEvents();
    duringReport_ = nullptr;
    EXPECT_EQ(sinkCalls_, 1);
    expectHeld(afterError, "after the report");
  }
}

}  // namespace
}  // namespace tramela
