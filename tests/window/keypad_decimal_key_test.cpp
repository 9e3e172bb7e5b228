#include "window/keypad_decimal_key.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace tramela {
namespace {

// The decimal separator of the locale the test runs under, as ctest passes it beside
// LC_ALL; the Italian comma by default.
QString expectedSeparator() {
  const char* separator = std::getenv("TRAMELA_EXPECTED_DECIMAL");
  return QString::fromUtf8(separator != nullptr ? separator : ",");
}

struct Key {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};
constexpr Key kKeypadPoint{Qt::Key_Period, Qt::KeypadModifier};
constexpr Key kKeypadComma{Qt::Key_Comma, Qt::KeypadModifier};
constexpr Key kMainPoint{Qt::Key_Period, Qt::NoModifier};
constexpr Key kMainComma{Qt::Key_Comma, Qt::NoModifier};
constexpr Key kOne{Qt::Key_1, Qt::NoModifier};
constexpr Key kFive{Qt::Key_5, Qt::NoModifier};
constexpr Key kUndo{Qt::Key_Z, Qt::ControlModifier};

TEST(KeypadDecimalKey, TypesTheConventionsSeparatorAndNothingElseChanges) {
  const QString sep = expectedSeparator();
  const struct {
    const char* what;
    QString before;
    std::vector<Key> keys;
    QString after;
  } kCases[] = {
      {"keypad point between digits", "", {kOne, kKeypadPoint, kFive}, "1" + sep + "5"},
      {"keypad comma (the keypad separator)", "", {kOne, kKeypadComma, kFive}, "1" + sep + "5"},
      {"main keyboard point", "", {kOne, kMainPoint, kFive}, "1.5"},
      {"main keyboard comma", "", {kOne, kMainComma, kFive}, "1,5"},
      {"keypad point over a selection", "123", {kKeypadPoint}, sep},
      // Qt's undo takes back a run of typing at once; the separator is part of it.
      {"undo of the separator alone", "7", {kKeypadPoint, kUndo}, "7"},
      {"undo of the separator and a digit", "7", {kKeypadPoint, kFive, kUndo}, "7"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.what);
    QLineEdit field;
    new KeypadDecimalKey(&field);
    field.setText(row.before);
    field.selectAll();
    for (const Key& key : row.keys) QTest::keyClick(&field, key.key, key.modifiers);
    EXPECT_EQ(field.text().toStdString(), row.after.toStdString());
  }
}

}  // namespace
}  // namespace tramela
