#include "window/result_label.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include <string>

#include "core/app_error.h"
#include "core/conversion_table.h"
#include "core/number_text.h"
#include "core/option_handling.h"
#include "window/fonts.h"

namespace tramela {
namespace {

TEST(ShownPrefixLength, CountsOnlyCharactersThatTakeRoomAndCutsNoCharacter) {
  const struct {
    const char* text;
    qsizetype maxCharacters;
    qsizetype length;
  } kCases[] = {
      {"abcdef", 3, 3},
      {"ab", 5, 2},
      {"", 0, 0},
      {"abc", 0, 0},
      {"ab\u0301cd", 2, 3},               // the accent stays with its letter
      {"a\U0001F600b", 2, 3},             // the emoji is two units, never split
      {"a\U0001F600b", 1, 1},
      {"\u200B\u200B\u200Bab", 1, 4},     // zero-width spaces take no room
      {"a\x01\x02" "b", 1, 3},            // nor do control characters
      {"\n\n\n\n", 2, 2},                 // a line feed is a line of its own
      {"1\u202F000,5", 2, 2},             // a narrow space does take room
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(shownPrefixLength(QString::fromUtf8(row.text), row.maxCharacters), row.length);
  }
}

QString repeated(const char* unit, int times) { return QString::fromUtf8(unit).repeated(times); }

// Label1's box and font, as the window sets them up.
void setUpAsLabel1(QLabel& label) {
  label.setTextFormat(Qt::PlainText);
  label.setWordWrap(true);
  label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label.setFont(resultFont());
  label.resize(247, 39);
}

// A ResultLabel beside a plain QLabel set up as the window sets up Label1: both draw the
// same pixels, a text that fits is held whole, and a longer one only a start of itself.
TEST(ResultLabelTest, DrawsWhatAPlainLabelDrawsAndHoldsEveryTextThatFits) {
  const struct {
    QString text;
    bool heldWhole;  // every text that fits is; a few that do not, too
  } kCases[] = {
      {"", true},
      {"38,1", true},
      {"-1,23456789012346E+15", true},
      {"  abc ", true},
      {QString::fromUtf8("à è é ì ò ù \u202F \u0661\u0662 \U0001F600 \u2212 1"), true},
      {"una riga\nun'altra\nla terza\nla quarta", true},
      {repeated("parola ", 200), false},
      {repeated("1234567890", 300), false},
      {repeated("\u6F22\u5B57", 500), false},
      {repeated("x\t", 400), true},  // tabs are not counted: short enough to give whole
      {repeated("https://example.org/", 100) + " fine", false},
      {repeated("e\u0301", 2000), false},
      {repeated("\U0001F600", 1000), false},
      {repeated("\u200B", 3000) + "abc", true},
      {repeated("riga\n", 500), false},
      {repeated("\u0661\u066C", 1000), false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE("case " + std::to_string(&row - kCases) + ": " + row.text.left(40).toStdString());
    QLabel plain;
    ResultLabel result;
    setUpAsLabel1(plain);
    setUpAsLabel1(result);
    plain.setText(row.text);
    result.setResultText(row.text);
    EXPECT_EQ(result.resultText(), row.text);
    EXPECT_TRUE(row.text.startsWith(result.text()));
    EXPECT_EQ(result.text() == row.text, row.heldWhole);
    EXPECT_EQ(result.grab().toImage(), plain.grab().toImage());
  }
}

// A megabyte is laid out no further than its start; a narrower or wider box, or another
// font, cuts it again.
TEST(ResultLabelTest, CutsAMegabyteAndCutsAgainWhenTheBoxOrTheFontChanges) {
  ResultLabel label;
  label.setWordWrap(true);
  label.resize(247, 39);
  label.show();  // a hidden widget hears of its resizes only when shown
  const QString text = repeated("parola ", (1 << 20) / 7);
  label.setResultText(text);
  const qsizetype shown = label.text().size();
  ASSERT_LT(shown, 4096);  // a few lines, not the megabyte
  EXPECT_TRUE(text.startsWith(label.text()));
  label.resize(494, 78);
  EXPECT_GT(label.text().size(), shown);
  label.resize(247, 39);
  EXPECT_EQ(label.text().size(), shown);
  QFont font = label.font();
  font.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() / 2 : 6);
  label.setFont(font);
  EXPECT_GT(label.text().size(), shown);
  EXPECT_EQ(label.resultText(), text);
}

// The longest numbers the conversions write, in Italian and with a decimal separator of two
// bytes, are each shown whole on one line: at the result's size when they fit, else at the
// largest size that does. A cut number would read as another number.
TEST(ResultLabelTest, ShowsEveryConversionsLongestResultWholeOnOneLine) {
  const NumberConvention kConventions[] = {kItalianConvention, {U'\u066B', U'\u066C'}};
  const double kInputs[] = {-1.79769313486231e308, -1e-300, -2.2250738585072e-308,
                            -1.23456789012345e-100, 1e-300};
  int shrunk = 0;
  int shown = 0;
  for (const NumberConvention& convention : kConventions) {
    for (const double input : kInputs) {
      for (const ConversionEntry& entry : entriesInListOrder()) {
        if (entry.kind == ConversionKind::Echo) continue;
        FormState state{formatNumber(input, convention), ""};
        try {
          selectOption(state, entry.option, convention);
        } catch (const AppError&) {
          continue;  // beyond the range of a double: reported, never shown
        }
        const QString result = QString::fromStdString(state.resultText);
        SCOPED_TRACE(state.inputText + " with " + std::string(entry.caption) + " -> " +
                     state.resultText);
        ResultLabel label;
        setUpAsLabel1(label);
        label.setResultText(result, ResultForm::Number);
        ++shown;
        const QFontMetricsF metrics(label.font());
        const double width = label.contentsRect().width();
        EXPECT_EQ(label.text(), result);
        EXPECT_LE(metrics.horizontalAdvance(result), width);
        EXPECT_LE(metrics.boundingRect(QRectF(label.contentsRect()), Qt::TextWordWrap, result)
                      .height(),
                  metrics.lineSpacing());
        EXPECT_EQ(label.font().family(), resultFont().family());
        EXPECT_TRUE(label.font().bold());
        const double size = label.font().pointSizeF();
        EXPECT_LE(size, resultFont().pointSizeF());
        if (size < resultFont().pointSizeF()) {
          ++shrunk;
          QFont larger = label.font();
          larger.setPointSizeF(size + 0.1);  // not needlessly small
          EXPECT_GT(QFontMetricsF(larger).horizontalAdvance(result), width);
        }
      }
    }
  }
  EXPECT_GT(shown, 70);
  EXPECT_GT(shrunk, 10);  // the table does reach the numbers that need it
}

// What fits stays exactly as it was: the result's size, the same pixels as a plain label.
TEST(ResultLabelTest, ANumberThatFitsLooksAsAPlainLabelShowsIt) {
  for (const char* number : {"38,1", "-0,393700787401575", "-123456789012345"}) {
    SCOPED_TRACE(number);
    QLabel plain;
    ResultLabel result;
    setUpAsLabel1(plain);
    setUpAsLabel1(result);
    plain.setText(QString::fromUtf8(number));
    result.setResultText(QString::fromUtf8(number), ResultForm::Number);
    EXPECT_EQ(result.font().pointSizeF(), resultFont().pointSizeF());
    EXPECT_EQ(result.grab().toImage(), plain.grab().toImage());
  }
}

}  // namespace
}  // namespace tramela
