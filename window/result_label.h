#pragma once

#include <QLabel>
#include <QString>

class QFontMetricsF;

namespace tramela {

// Narrowest advance, in pixels, that any character taking space on a line is assumed to
// have. Fonts draw even a hair space wider than this at the sizes the window uses.
inline constexpr double kNarrowestAdvancePixels = 0.5;

// How many characters can show in a box of the given size, in the font of the metrics: the
// lines that fit (a cut-off last one included) times the characters of the narrowest
// advance that fit on one. An upper bound, never the count that shows.
//   shownCharacterBound(QSize(247, 39), metrics with line spacing 23) -> 2 * 495
qsizetype shownCharacterBound(QSize box, const QFontMetricsF& metrics);

// The length, in UTF-16 units, of the start of text that holds its first maxCharacters
// characters and everything up to the character after them: combining marks, format
// characters (zero-width spaces, joiners, direction marks) and control characters other
// than the line feed take no room on a line and are not counted. Never cuts a surrogate
// pair or a character from the marks that follow it.
//   shownPrefixLength(u"abcdef", 3)          -> 3
//   shownPrefixLength(u"ab\u0301cd", 2)      -> 3
//   shownPrefixLength(u"a\U0001F600b", 2)    -> 3
//   shownPrefixLength(u"ab", 5)              -> 2
qsizetype shownPrefixLength(QStringView text, qsizetype maxCharacters);

// What a result label shows: any text, wrapped and cut by the box like a plain label's, or
// a number, which must never be cut: a cut number reads as another number.
enum class ResultForm { Text, Number };

// Smallest size a number is shrunk to; numbers the program writes fit far above it.
inline constexpr double kSmallestNumberPointSize = 4.0;

// A label for a result of any length. It keeps the whole text but gives QLabel only the
// start that can fill its box (shownCharacterBound characters), so that a megabyte is laid
// out no further than a few lines. Every text that fits is shown and held whole; a longer
// one shows a start of itself, wrapped and cut by the box as QLabel wraps and cuts any text.
// A number that does not fit on one line in the label's font is shown on one line at the
// largest size that fits.
class ResultLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ResultLabel(QWidget* parent = nullptr);

  // Shows text as far as the box can show it; a number always whole, on one line.
  //   setResultText("38,1", ResultForm::Number)                    -> the label's font
  //   setResultText("-1,79769313486231E+308", ResultForm::Number)  -> a smaller size
  void setResultText(const QString& text, ResultForm form = ResultForm::Text);
  // The whole text last given to setResultText.
  const QString& resultText() const { return resultText_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void showResult();
  QString shownText() const;

  QString resultText_;
  ResultForm form_ = ResultForm::Text;
  // The font the label was given; the one it shows a shrunk number in is derived from it.
  QFont givenFont_;
  bool fitting_ = false;
};

}  // namespace tramela
