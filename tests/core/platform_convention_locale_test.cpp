// Run by ctest once per environment (LC_ALL or LANG set to a locale, or nothing set), with
// the separators expected there (hexadecimal code points) in TRAMELA_EXPECTED_DECIMAL and
// TRAMELA_EXPECTED_GROUPING.

#include <QLocale>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/number_text.h"
#include "core/platform_convention.h"
#include "core/option_handling.h"
#include "core/utf8.h"

namespace tramela {
namespace {

char32_t expectedSeparator(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr) return 0;
  return static_cast<char32_t>(std::strtoul(value, nullptr, 16));
}

class PlatformConvention : public testing::Test {
 protected:
  void SetUp() override {
    decimal_ = expectedSeparator("TRAMELA_EXPECTED_DECIMAL");
    grouping_ = expectedSeparator("TRAMELA_EXPECTED_GROUPING");
    if (decimal_ == 0 || grouping_ == 0) {
      GTEST_SKIP() << "run by ctest, which sets the locale and the expected separators";
    }
  }

  std::string withSeparators(std::string_view pattern) const {
    std::string text;
    for (const char c : pattern) {
      if (c == 'd') {
        appendUtf8(text, decimal_);
      } else if (c == 'g') {
        appendUtf8(text, grouping_);
      } else {
        text += c;
      }
    }
    return text;
  }

  char32_t decimal_ = 0;
  char32_t grouping_ = 0;
};

TEST_F(PlatformConvention, ReportsTheLocaleSeparators) {
  std::string environment;
  for (const char* variable : {"LC_ALL", "LANG"}) {
    environment += std::string(variable) + "=" + (std::getenv(variable) ? std::getenv(variable) : "(unset)") + " ";
  }
  SCOPED_TRACE(environment);
  const NumberConvention convention = currentNumberConvention();
  EXPECT_EQ(static_cast<std::uint32_t>(convention.decimalSeparator), static_cast<std::uint32_t>(decimal_));
  EXPECT_EQ(static_cast<std::uint32_t>(convention.groupingSeparator), static_cast<std::uint32_t>(grouping_));
}

// The convention copies how Qt's system locale picks the variable that decides numbers (Qt
// keeps the language apart, read from LC_MESSAGES): the day Qt picks another, this fails.
TEST_F(PlatformConvention, NumbersComeFromTheVariableQtsSystemLocaleReads) {
  QString name = QStringLiteral("C");
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    if (!qEnvironmentVariableIsEmpty(variable)) {
      name = qEnvironmentVariable(variable);
      break;
    }
  }
  SCOPED_TRACE(name.toStdString());
  EXPECT_EQ(QLocale::system().decimalPoint(), QLocale(name).decimalPoint());
  EXPECT_EQ(QLocale::system().groupSeparator(), QLocale(name).groupSeparator());
}

struct SelectCase {
  const char* input;   // d stands for the decimal separator, g for the grouping one
  OptionId option;
  const char* result;  // the same
};

const SelectCase kSelectCases[] = {
    {"1d5", OptionId::Option1, "38d1"},
    {"1g000d5", OptionId::Option1, "25412d7"},
    {"10", OptionId::Option2, "0d393700787401575"},
    {"1g000", OptionId::Option4, "914d4"},
    {"-2d54e1", OptionId::Option2, "-1"},
};

TEST_F(PlatformConvention, SelectOptionReadsAndWritesUnderTheLocale) {
  for (const SelectCase& c : kSelectCases) {
    SCOPED_TRACE(c.input);
    FormState state{withSeparators(c.input), "previous"};
    selectOption(state, c.option);
    EXPECT_EQ(state.resultText, withSeparators(c.result));
  }
}

}  // namespace
}  // namespace tramela
