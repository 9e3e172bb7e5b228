#include "window/result_label.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

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

// A ResultLabel beside a plain QLabel set up as the window sets up Label1: a text that fits
// is held whole and drawn alike, and so are the common texts that overflow. A word wider than
// the box uses up the characters counted for the box, so what a plain label would wrap after
// it may be left out: a text that does not fit shows its start, not always all of it.
TEST(ResultLabelTest, DrawsWhatAPlainLabelDrawsAndHoldsEveryTextThatFits) {
  const struct {
    QString text;
    bool fits;
    bool drawnAsPlain;
  } kCases[] = {
      {"", true, true},
      {"38,1", true, true},
      {"-1,23456789012346E+15", true, true},
      {"  abc ", true, true},
      {QString::fromUtf8("à è é ì ò ù \u202F \u0661\u0662 \U0001F600 \u2212 1"), true, true},
      {"una riga\nun'altra\nla terza\nla quarta", true, true},
      {repeated("parola ", 200), false, true},
      {repeated("1234567890", 300), false, true},
      {repeated("1234567890", 300) + " abc", false, false},
      {repeated("e\u0301", 2000), false, true},
      {repeated("\U0001F600", 1000), false, true},
      {repeated("\u200B", 3000) + "abc", true, true},
      {repeated("riga\n", 500), false, true},
      {repeated("\u0661\u066C", 1000), false, true},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text.left(40).toStdString());
    QLabel plain;
    ResultLabel result;
    for (QLabel* label : {&plain, static_cast<QLabel*>(&result)}) {
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setFont(resultFont());
      label->resize(247, 39);
    }
    plain.setText(row.text);
    result.setResultText(row.text);
    EXPECT_EQ(result.resultText(), row.text);
    EXPECT_TRUE(row.text.startsWith(result.text()));
    EXPECT_EQ(result.text() == row.text, row.fits);
    if (row.drawnAsPlain) {
      EXPECT_EQ(result.grab().toImage(), plain.grab().toImage());
    }
  }
}

// A narrower or wider box, or another font, cuts the same text again.
TEST(ResultLabelTest, CutsAgainWhenTheBoxOrTheFontChanges) {
  ResultLabel label;
  label.setWordWrap(true);
  label.resize(247, 39);
  label.show();  // a hidden widget hears of its resizes only when shown
  const QString text = repeated("1234567890", 1000);
  label.setResultText(text);
  const qsizetype shown = label.text().size();
  ASSERT_LT(shown, text.size());
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

}  // namespace
}  // namespace tramela
