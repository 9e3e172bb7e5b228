// A monkey at the window: random typing (accented letters, narrow no-break spaces, Arabic
// digits, emoji, the minus sign, control characters), pastes, clicks on random option buttons,
// arrows, tabs and editing keys, with a sink that records errors and returns. After every
// event the window must agree with the core run independently on the same text.

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "core/option_handling.h"
#include "tests/window/form1_fixture.h"

namespace tramela {
namespace {

constexpr std::uint32_t kDefaultSeed = 20261208;
constexpr int kDefaultEventCount = 10000;
// Past this many characters the monkey clears dati1, so that the texts stay short enough
// for 10,000 events to run in seconds.
constexpr qsizetype kMaxInputChars = 80;

// TRAMELA_MONKEY_EVENTS and TRAMELA_MONKEY_SEED override the count and the seed, to let
// the monkey run longer or elsewhere; a failure names the seed to replay it with.
int eventCount() {
  const int count = qEnvironmentVariableIntValue("TRAMELA_MONKEY_EVENTS");
  return count > 0 ? count : kDefaultEventCount;
}

std::uint32_t seed() {
  bool ok = false;
  const uint value = qEnvironmentVariable("TRAMELA_MONKEY_SEED").toUInt(&ok);
  return ok ? value : kDefaultSeed;
}

// How many of the pieces below, from the first, are pieces of numbers.
constexpr int kNumberPieces = 24;

// The pieces texts are made of: what reads as a number under the Italian convention, what
// nearly does, and what never does.
const std::vector<QString>& pieces() {
  static const std::vector<QString> kPieces = {
      "0", "1", "2", "5", "7", "9", "10", "254", ",", ".", "-", "+", "E", "e", "E+", "E-",
      " ", "  ", "1,5", "1.000,5", "8E+306", "1E-320", "-0", ",5", "5,", "\t",
      QString::fromUtf8("à"), QString::fromUtf8("è"), QString::fromUtf8("é"),
      QString::fromUtf8("ì"), QString::fromUtf8("ò"), QString::fromUtf8("ù"),
      QString::fromUtf8("\u202F"), QString::fromUtf8("\u00A0"), QString::fromUtf8("\u2212"),
      QString::fromUtf8("\u0661\u0662\u0663"), QString::fromUtf8("\u066B"),
      QString::fromUtf8("\u066C"), QString::fromUtf8("\U0001F600"),
      QString::fromUtf8("e\u0301"), "\x01", "\x7f", "\n", "\r", "a", "&", "<b>",
  };
  return kPieces;
}

class MonkeyAtForm1 : public Form1Fixture {
 protected:
  const std::uint32_t seed_ = seed();
  std::mt19937 random_{seed_};

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  QString randomText(int maxPieces) {
    QString text;
    const int count = 1 + below(maxPieces);
    // Three times in four a piece of a number, so that many selections succeed.
    for (int i = 0; i < count; ++i) {
      const int pool = below(4) == 0 ? static_cast<int>(pieces().size()) : kNumberPieces;
      text += pieces()[below(pool)];
    }
    return text;
  }

  // Types the text key by key, one code point per key, as a keyboard does: control
  // characters come with the key that makes them. (QTest::keyClicks takes Latin-1 only.)
  static void typeInto(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
      const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      const QString key = text.mid(i, length);
      i += length;
      const char16_t c = key.at(0).unicode();
      Qt::Key code = Qt::Key_unknown;
      Qt::KeyboardModifiers modifiers = Qt::NoModifier;
      if (c == u'\t') {
        code = Qt::Key_Tab;
      } else if (c == u'\n' || c == u'\r') {
        code = Qt::Key_Return;
      } else if (c == 0x7f) {
        code = Qt::Key_Delete;
      } else if (c < 0x20) {
        code = static_cast<Qt::Key>(Qt::Key_A + c - 1);
        modifiers = Qt::ControlModifier;
      } else if (c < 0x7f) {
        code = static_cast<Qt::Key>(QChar(c).toUpper().unicode());
      }
      QTest::sendKeyEvent(QTest::Press, widget, code, key, modifiers);
      QTest::sendKeyEvent(QTest::Release, widget, code, key, modifiers);
    }
  }

  QWidget* focused() {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : dati1();
  }

  // One random event; returns what it did, for the failure message.
  QString act() {
    static const Qt::Key kKeys[] = {Qt::Key_Up,   Qt::Key_Down,      Qt::Key_Left,
                                    Qt::Key_Right, Qt::Key_Tab,      Qt::Key_Backtab,
                                    Qt::Key_Home, Qt::Key_End,       Qt::Key_Backspace,
                                    Qt::Key_Delete, Qt::Key_Space,   Qt::Key_Return};
    if (dati1()->text().size() > kMaxInputChars) {
      dati1()->clear();
      return "clear";
    }
    switch (below(11)) {
      case 0:
      case 1:
      case 2: {
        const QString text = randomText(3);
        typeInto(focused(), text);
        return "type " + text;
      }
      case 3: {
        const QString text = randomText(6);
        QApplication::clipboard()->setText(text);
        QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
        return "Ctrl+V " + text;
      }
      case 4: {
        const QString text = randomText(6);
        QApplication::clipboard()->setText(text);
        dati1()->paste();
        return "paste " + text;
      }
      case 5:
      case 6: {
        const int number = 1 + below(kOptionCount);
        click(QStringLiteral("Option%1").arg(number));
        return QStringLiteral("click Option%1").arg(number);
      }
      case 7: {
        // Click into the field, select everything and type over it.
        QTest::mouseClick(dati1(), Qt::LeftButton, {}, QPoint(3 + below(100), 5));
        QTest::keyClick(dati1(), Qt::Key_A, Qt::ControlModifier);
        const QString text = randomText(3);
        typeInto(dati1(), text);
        return "click dati1, Ctrl+A, type " + text;
      }
      case 8: {
        const Qt::KeyboardModifiers modifier = below(4) == 0 ? Qt::ControlModifier : Qt::NoModifier;
        const Qt::Key key = below(3) == 0 ? Qt::Key_A : kKeys[below(std::size(kKeys))];
        QTest::keyClick(focused(), key, modifier);
        return QStringLiteral("key %1 modifiers %2").arg(key).arg(modifier.toInt());
      }
      case 9: {
        // Labels, the picture and the frame run nothing, wherever they are clicked.
        static const char* const kInert[] = {"Label1", "Label3", "Label4",
                                             "Label5", "Picture1", "Frame1"};
        const char* name = kInert[below(std::size(kInert))];
        QWidget* widget = child<QWidget>(QString::fromLatin1(name));
        QTest::mouseClick(widget, Qt::LeftButton, {},
                          QPoint(below(widget->width()), below(widget->height())));
        return QStringLiteral("click ") + QString::fromLatin1(name);
      }
      default: {
        const Qt::Key key = kKeys[below(std::size(kKeys))];
        QTest::keyClick(focused(), key);
        return QStringLiteral("key %1").arg(key);
      }
    }
  }
};

TEST_F(MonkeyAtForm1, EveryEventKeepsTheWindowInStepWithTheCore) {
  // Every entry the event runs, in order, as the group reports it after Form1 has run it: a
  // button becoming the selected one, and a click on the button that was already selected.
  std::vector<OptionId> selected;
  auto* group = form_.findChild<QButtonGroup*>();
  ASSERT_NE(group, nullptr);
  QObject::connect(group, &QButtonGroup::idToggled, group, [&selected](int id, bool checked) {
    if (checked) selected.push_back(static_cast<OptionId>(id));
  });
  bool pressedWasSelected = false;
  QObject::connect(group, &QButtonGroup::idPressed, group, [&pressedWasSelected, group](int id) {
    pressedWasSelected = group->button(id)->isChecked();
  });
  QObject::connect(group, &QButtonGroup::idClicked, group, [&](int id) {
    if (pressedWasSelected) selected.push_back(static_cast<OptionId>(id));
  });

  const int count = eventCount();
  int selections = 0;
  int failures = 0;
  std::cout << "monkey: seed " << seed_ << ", " << count << " events\n";
  for (int index = 0; index < count; ++index) {
    const FormState before = form_.formState();
    const QString labelBefore = label1()->text();
    const int sinkBefore = sinkCalls_;
    selected.clear();

    const QString action = act();
    SCOPED_TRACE(QStringLiteral("seed %1, event %2: %3").arg(seed_).arg(index).arg(action)
                     .toStdString());

    // The core, run on its own on what the window held, under the Italian convention.
    FormState expected = before;
    expected.inputText = dati1()->text().toStdString();
    QString expectedLabel = labelBefore;
    int expectedFailures = 0;
    for (OptionId option : selected) {
      try {
        selectOption(expected, option, kItalianConvention);
        expectedLabel = QString::fromStdString(expected.resultText);
      } catch (const AppError&) {
        ++expectedFailures;
      }
    }
    selections += static_cast<int>(selected.size());
    failures += expectedFailures;

    ASSERT_EQ(form_.formState().inputText, dati1()->text().toStdString());
    ASSERT_EQ(form_.formState().resultText, expected.resultText);
    ASSERT_EQ(sinkCalls_ - sinkBefore, expectedFailures);
    ASSERT_EQ(label1()->text(), expectedLabel);
    if (selected.empty()) {
      ASSERT_EQ(label1()->text(), labelBefore);
    }
  }
  std::cout << "monkey: " << selections << " selections, " << failures << " reported errors\n";
  // A monkey that never selects or never fails would prove little.
  EXPECT_GT(selections, count / 10);
  EXPECT_GT(failures, 0);
  EXPECT_GT(selections, failures);
}

}  // namespace
}  // namespace tramela
