#include "core/option_handling.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/app_error.h"
#include "tests/core/test_support.h"

namespace tramela {
namespace {

using enum OptionId;
using testing_support::kArabic;
using testing_support::kItalian;

struct SelectCase {
  const char* name;
  std::string input;
  OptionId option;
  NumberConvention convention;
  std::string result;                // expected resultText when no error is expected
  std::optional<ErrorKind> error;    // expected error; resultText must then stay as it was
};

const SelectCase kSelectCases[] = {
    {"inches to millimetres", "1,5", Option1, kItalian, "38,1", {}},
    {"millimetres to inches", "10", Option2, kItalian, "0,393700787401575", {}},
    {"2,54 mm is a tenth of an inch", "2,54", Option2, kItalian, "0,1", {}},
    {"metres to yards", "1", Option3, kItalian, "1,09361329833771", {}},
    {"yards to metres", "1", Option4, kItalian, "0,9144", {}},
    {"grams to grains", "1", Option6, kItalian, "15,4320987654321", {}},
    {"grains to grams", "1", Option7, kItalian, "0,0648", {}},
    {"Kgm to joules", "1", Option8, kItalian, "9,81", {}},
    {"joules to Kgm", "1", Option9, kItalian, "0,101936799184506", {}},
    {"m/s to ft/s", "1", Option10, kItalian, "3,28083989501312", {}},
    {"ft/s to m/s", "1", Option11, kItalian, "0,3048", {}},
    {"grouping and blanks in the input", " 1.000,5 ", Option1, kItalian, "25412,7", {}},
    {"negative", "-1", Option4, kItalian, "-0,9144", {}},
    {"negative zero shown as 0", "-0", Option1, kItalian, "0", {}},
    {"exponent form result", "1E+20", Option1, kItalian, "2,54E+21", {}},
    {"tiny result underflows to a denormal, no error", "4,9406564584124654E-324", Option2,
     kItalian, "0", {}},
    {"Arabic convention", "1\u066B5", Option1, kArabic, "38\u066B1", {}},
    {"Arabic grouping", "1\u066C000", Option4, kArabic, "914\u066B4", {}},
    {"echo of a word", "abc", Option5, kItalian, "abc", {}},
    {"echo of an empty text", "", Option5, kItalian, "", {}},
    {"echo keeps blanks", "  1,5  ", Option5, kItalian, "  1,5  ", {}},
    {"echo of invalid UTF-8 and a NUL byte", std::string("\xFF\0\xC0\x80" "1", 5), Option5,
     kItalian, std::string("\xFF\0\xC0\x80" "1", 5), {}},
    {"word", "abc", Option1, kItalian, "", ErrorKind::ConversionError},
    {"word, a dividing entry", "abc", Option2, kItalian, "", ErrorKind::ConversionError},
    {"empty", "", Option1, kItalian, "", ErrorKind::ConversionError},
    {"blanks only", "  \t ", Option9, kItalian, "", ErrorKind::ConversionError},
    {"decimal point under Italian is grouping, so 1.5 is 15", "1.5", Option1, kItalian, "381", {}},
    {"Italian comma under Arabic", "1,5", Option1, kArabic, "", ErrorKind::ConversionError},
    {"multiplying beyond the range", "8E+306", Option1, kItalian, "", ErrorKind::OverflowError},
    {"the same input divided", "8E+306", Option2, kItalian, "3,1496062992126E+305", {}},
    {"negative beyond the range", "-8E+306", Option1, kItalian, "", ErrorKind::OverflowError},
    {"dividing by a small factor beyond the range", "1,2E+307", Option6, kItalian, "",
     ErrorKind::OverflowError},
    {"the input itself beyond the range", "1E+309", Option2, kItalian, "",
     ErrorKind::OverflowError},
};

TEST(SelectOption, ConvertsEchoesOrThrowsLeavingTheResultInPlace) {
  const std::string previous = "7,5";
  for (const SelectCase& c : kSelectCases) {
    SCOPED_TRACE(c.name);
    FormState state{c.input, previous};
    if (c.error) {
      try {
        selectOption(state, c.option, c.convention);
        ADD_FAILURE() << "no error; result " << state.resultText;
      } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), *c.error) << error.what();
      }
      EXPECT_EQ(state.resultText, previous);
    } else {
      selectOption(state, c.option, c.convention);
      EXPECT_EQ(state.resultText, c.result);
    }
    EXPECT_EQ(state.inputText, c.input);
  }
}

TEST(SelectOption, EveryConvertingEntryRefusesTextsThatAreNotNumbers) {
  const std::string notNumbers[] = {"abc", "", "   ", "1,2,3", "1.5,0,1"};
  for (const ConversionEntry& entry : entriesInListOrder()) {
    if (entry.kind == ConversionKind::Echo) continue;
    for (const std::string& input : notNumbers) {
      SCOPED_TRACE(std::string(entry.caption) + " of «" + input + "»");
      FormState state{input, "7,5"};
      try {
        selectOption(state, entry.option, kItalian);
        ADD_FAILURE() << "no error; result " << state.resultText;
      } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::ConversionError);
      }
      EXPECT_EQ(state.resultText, "7,5");
    }
  }
}

TEST(SelectOption, AResultTooLargeIsDescribedWithTheEntryAndTheInput) {
  // A tab and 307 digits: quoted as every description quotes a typed text, the tab made
  // visible and the text cut after 40 code points.
  FormState state{"\t8" + std::string(306, '0'), ""};
  try {
    selectOption(state, Option1, kArabic);
    ADD_FAILURE() << "no error; result " << state.resultText;
  } catch (const AppError& error) {
    const std::string description = error.what();
    EXPECT_EQ(error.kind(), ErrorKind::OverflowError);
    EXPECT_NE(description.find("«\uFFFD8" + std::string(38, '0') + "…»"), std::string::npos)
        << description;
    EXPECT_NE(description.find("pollici to millimetri"), std::string::npos) << description;
    // The limit is written under the convention in use.
    EXPECT_NE(description.find("1\u066B79769313486231E+308"), std::string::npos) << description;
  }
}

TEST(SelectOption, EachSelectionStartsAgainFromTheInput) {
  // One input, entries selected one after another as a user would click through them.
  struct Step {
    OptionId option;
    const char* result;
  };
  const Step steps[] = {
      {Option1, "63,5"}, {Option2, "0,0984251968503937"}, {Option1, "63,5"}, {Option5, "2,5"},
      {Option8, "24,525"}, {Option9, "0,254841997961264"}, {Option4, "2,286"},
  };
  FormState state{"2,5", ""};
  for (const Step& step : steps) {
    SCOPED_TRACE(static_cast<int>(step.option));
    selectOption(state, step.option, kItalian);
    EXPECT_EQ(state.resultText, step.result);
    EXPECT_EQ(state.inputText, "2,5");
  }
}

TEST(SelectOption, AChangedInputShowsOnlyAtTheNextSelection) {
  FormState state{"1,5", ""};
  selectOption(state, Option1, kItalian);
  state.inputText = std::string("2");  // a move: GCC 12 warns falsely on assigning a literal
  EXPECT_EQ(state.resultText, "38,1");
  selectOption(state, Option1, kItalian);
  EXPECT_EQ(state.resultText, "50,8");
}

}  // namespace
}  // namespace tramela
