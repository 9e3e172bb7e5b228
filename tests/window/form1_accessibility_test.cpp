// What a screen reader learns from the window through Qt's accessibility interfaces (the
// same ones the AT-SPI bridge reads on Linux): the names and labels of the controls, one
// announcement per new result, and the result carried by the option button it was chosen with.

#include <QAccessible>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

// Qt's own way of switching accessibility on for a test: the platform's accessibility is
// otherwise active only once an assistive technology asks for it.
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "core/conversion_table.h"
#include "tests/window/form1_fixture.h"
#include "tests/window/heard_events.h"

namespace tramela {
namespace {

QAccessibleInterface* accessible(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

// The objects that label this one, as a screen reader finds them.
std::vector<QObject*> labelsOf(QObject* object) {
  std::vector<QObject*> labels;
  for (const auto& [other, relation] : accessible(object)->relations(QAccessible::Label)) {
    labels.push_back(other->object());
  }
  return labels;
}

// The objects this one labels.
std::vector<QObject*> labelledBy(QObject* label) {
  std::vector<QObject*> controls;
  for (const auto& [other, relation] : accessible(label)->relations(QAccessible::Labelled)) {
    controls.push_back(other->object());
  }
  return controls;
}

class Form1Accessibility : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(platform, nullptr) << "the platform has no accessibility";
    platform->setActive(true);
    ASSERT_TRUE(QAccessible::isActive());
  }
};

TEST_F(Form1Accessibility, TheFieldAndTheResultAreNamedByTheLabelsBesideThem) {
  struct Case {
    const char* control;
    const char* label;
    const char* labelText;
  };
  const Case cases[] = {
      {"dati1", "Label3", "Inserire i dati da convertire"},
      {"Label1", "Label5", "RISULTATO CONVERSIONE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    QWidget* control = child<QWidget>(QString::fromLatin1(c.control));
    QLabel* label = child<QLabel>(QString::fromLatin1(c.label));
    ASSERT_NE(control, nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(labelsOf(control), std::vector<QObject*>{label});
    EXPECT_EQ(labelledBy(label), std::vector<QObject*>{control});
    EXPECT_EQ(accessible(label)->text(QAccessible::Name).toStdString(), c.labelText);
  }
  // The field has no text of its own to be named by: it takes its label's.
  EXPECT_EQ(accessible(dati1())->text(QAccessible::Name).toStdString(),
            "Inserire i dati da convertire");
  EXPECT_EQ(accessible(dati1())->role(), QAccessible::EditableText);
}

TEST_F(Form1Accessibility, EveryOptionButtonIsNamedByItsCaption) {
  for (const ConversionEntry& entry : entriesInListOrder()) {
    const QString name = QStringLiteral("Option%1").arg(static_cast<int>(entry.option));
    SCOPED_TRACE(name.toStdString());
    QRadioButton* button = option(name);
    ASSERT_NE(button, nullptr);
    QAccessibleInterface* face = accessible(button);
    EXPECT_EQ(face->role(), QAccessible::RadioButton);
    EXPECT_EQ(face->text(QAccessible::Name).toStdString(), std::string(entry.caption));
    EXPECT_EQ(face->state().checked != 0, button->isChecked());
  }
}

// The description of every option button, as "Option1=38,1" for the one that has one.
std::string carriedResults(const std::vector<QRadioButton*>& buttons) {
  std::string carried;
  for (QRadioButton* button : buttons) {
    const QString description = accessible(button)->text(QAccessible::Description);
    if (description.isEmpty()) continue;
    if (!carried.empty()) carried += ' ';
    carried += (button->objectName() + QLatin1Char('=') + description).toStdString();
  }
  return carried;
}

class Form1CarriedResult : public Form1Accessibility {
 protected:
  std::vector<QRadioButton*> buttons() {
    std::vector<QRadioButton*> all;
    for (const ConversionEntry& entry : entriesInListOrder()) {
      all.push_back(option(QStringLiteral("Option%1").arg(static_cast<int>(entry.option))));
    }
    return all;
  }

  void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

  // The name of the result notification while it is shown, else "".
  std::string notified() {
    auto* notification = form_.findChild<QWidget*>(QStringLiteral("resultNotification"));
    if (notification == nullptr || !notification->isVisible()) return {};
    return accessible(notification)->text(QAccessible::Name).toStdString();
  }
};

// The button a result was chosen with carries it, whether chosen by a click or by the arrow
// keys, and no other button carries anything. A click moved the focus with its press, before
// it chose: its result is also shown in the notification.
TEST_F(Form1CarriedResult, TheChosenButtonAloneCarriesTheResult) {
  struct Step {
    const char* typed;  // replaces the text of dati1; nullptr leaves it
    const char* click;  // the option clicked; nullptr presses key instead
    Qt::Key key;
    const char* carried;
    const char* notified;
  };
  const Step steps[] = {
      {"1,5", "Option1", Qt::Key_unknown, "Option1=38,1", "38,1"},
      {nullptr, nullptr, Qt::Key_Down, "Option2=0,0590551181102362", ""},
      {nullptr, nullptr, Qt::Key_Up, "Option1=38,1", ""},
      {nullptr, nullptr, Qt::Key_Up, "Option5=1,5", ""},
      {nullptr, "Option11", Qt::Key_unknown, "Option11=0,4572", "0,4572"},
      {nullptr, nullptr, Qt::Key_Right, "Option5=1,5", ""},
      {"abc & <b>", "Option3", Qt::Key_unknown, "", ""},  // no number: the entry fails
      {"10", "Option2", Qt::Key_unknown, "Option2=0,393700787401575", "0,393700787401575"},
      {"", "Option5", Qt::Key_unknown, "", ""},  // the echo of nothing says nothing
      {"10", "Option4", Qt::Key_unknown, "Option4=9,144", "9,144"},
      {nullptr, nullptr, Qt::Key_Left, "Option3=10,9361329833771", ""},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.typed ? step.typed : "(same input)") + " " +
                 (step.click ? step.click : "arrow key"));
    if (step.typed != nullptr) {
      dati1()->clear();
      type(QString::fromUtf8(step.typed));
    }
    if (step.click != nullptr) {
      click(QString::fromLatin1(step.click));
    } else {
      press(step.key);
    }
    EXPECT_EQ(carriedResults(buttons()), step.carried);
    EXPECT_EQ(notified(), step.notified);
  }
  EXPECT_EQ(sinkCalls_, 1);  // abc & <b>
}

// Any change of the input takes the result back: it no longer answers what is typed.
TEST_F(Form1CarriedResult, EditingTheInputTakesTheResultBack) {
  struct Edit {
    const char* name;
    void (*apply)(QLineEdit*);
  };
  const Edit edits[] = {
      {"typing a digit", [](QLineEdit* field) { QTest::keyClicks(field, QStringLiteral("7")); }},
      {"erasing a digit", [](QLineEdit* field) { QTest::keyClick(field, Qt::Key_Backspace); }},
      {"clearing", [](QLineEdit* field) { field->clear(); }},
      {"replacing the same text",
       [](QLineEdit* field) { field->setText(field->text() + QLatin1Char(' ')); }},
  };
  const char* options[] = {"Option1", "Option2", "Option3", "Option4"};
  for (std::size_t i = 0; i < std::size(edits); ++i) {
    SCOPED_TRACE(edits[i].name);
    dati1()->setText(QStringLiteral("2,5"));
    click(QString::fromLatin1(options[i]));
    ASSERT_NE(carriedResults(buttons()), "");
    edits[i].apply(dati1());
    EXPECT_EQ(carriedResults(buttons()), "");
  }
}

// A choice whose entry fails takes the earlier result from the button it was chosen with:
// that button is no longer the chosen one.
TEST_F(Form1CarriedResult, AFailedChoiceLeavesNoResultCarried) {
  type(QStringLiteral("8E+306"));
  click(QStringLiteral("Option2"));
  ASSERT_EQ(carriedResults(buttons()), "Option2=3,1496062992126E+305");
  click(QStringLiteral("Option1"));  // overflows
  EXPECT_EQ(sinkCalls_, 1);
  EXPECT_EQ(carriedResults(buttons()), "");
}

// What a screen reader is told when the selected option is chosen again with the same input:
// the result comes out the same, and is told again all the same, since the user asked for
// it: the button's description is emptied and set again, and the notification appears with
// the result. The focus does not move, so the description alone would not be read.
TEST_F(Form1CarriedResult, ChoosingTheSelectedOptionAgainTellsTheResultAgain) {
  struct Case {
    const char* typed;
    const char* option;
    bool bySpace;  // otherwise by a click
    const char* result;
  };
  const Case cases[] = {
      {"1,5", "Option1", false, "38,1"},
      {"1,5", "Option1", true, "38,1"},
      {"10", "Option2", true, "0,393700787401575"},
      {"abc", "Option5", false, "abc"},
      {"abc", "Option5", true, "abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " " + c.option + (c.bySpace ? " Space" : " click"));
    const std::string name = c.option;
    dati1()->setText(QString::fromUtf8(c.typed));
    click(QString::fromLatin1(c.option));
    HeardEvents::events.clear();
    QAccessible::installUpdateHandler(&HeardEvents::record);
    if (c.bySpace) {
      QTest::keyClick(option(QString::fromLatin1(c.option)), Qt::Key_Space);
    } else {
      click(QString::fromLatin1(c.option));
    }
    QAccessible::installUpdateHandler(nullptr);
    // The click before showed the notification: it goes, and comes back with the result.
    const std::vector<std::string> told = {name + "=", "notification hidden",
                                           name + "=" + c.result,
                                           std::string("notification ") + c.result};
    EXPECT_EQ(HeardEvents::events, told);
    EXPECT_EQ(carriedResults(buttons()), name + "=" + c.result);
  }
  EXPECT_EQ(sinkCalls_, 0);
}

// The accessibility events about Label1 that tell of a new text: name changes, with the name
// a screen reader would read at that moment, and the text control's insert, remove and
// update events, which go with each change of a selectable label.
struct Announcements {
  static inline QObject* watched = nullptr;
  static inline std::vector<QString> names;
  static inline int textEvents = 0;  // the text control's own record of the same change

  static void record(QAccessibleEvent* event) {
    if (event->object() != watched) return;
    if (event->type() == QAccessible::NameChanged || event->type() == QAccessible::ValueChanged) {
      names.push_back(accessible(watched)->text(QAccessible::Name));
    } else if (event->type() == QAccessible::TextUpdated ||
               event->type() == QAccessible::TextInserted ||
               event->type() == QAccessible::TextRemoved) {
      ++textEvents;
    }
  }
};

// Each new result is announced once, by the name it now has; a result that comes out the
// same as the one shown is not announced at all.
TEST_F(Form1Accessibility, EachNewResultIsAnnouncedOnce) {
  struct Step {
    const char* typed;  // replaces the text of dati1
    const char* option;
    const char* shown;
    int announcements;
  };
  const Step steps[] = {
      {"1,5", "Option1", "38,1", 1},
      {"1,5", "Option2", "0,0590551181102362", 1},
      {"1,5", "Option5", "1,5", 1},
      {"38,1", "Option1", "967,74", 1},
      {"967,74", "Option5", "967,74", 0},
      {"0", "Option3", "0", 1},
      {"0", "Option4", "0", 0},
      {"abc & <b>", "Option5", "abc & <b>", 1},
  };
  Announcements::watched = label1();
  Announcements::names.clear();
  QAccessible::installUpdateHandler(&Announcements::record);
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.typed) + " " + step.option);
    dati1()->clear();
    type(QString::fromUtf8(step.typed));
    Announcements::names.clear();
    Announcements::textEvents = 0;
    click(QString::fromLatin1(step.option));
    EXPECT_EQ(label1()->text().toStdString(), step.shown);
    ASSERT_EQ(static_cast<int>(Announcements::names.size()), step.announcements);
    if (step.announcements == 1) {
      EXPECT_EQ(Announcements::names.front().toStdString(), step.shown);
    } else {
      EXPECT_EQ(Announcements::textEvents, 0);
    }
  }
  QAccessible::installUpdateHandler(nullptr);
  EXPECT_EQ(sinkCalls_, 0);
}

}  // namespace
}  // namespace tramela
