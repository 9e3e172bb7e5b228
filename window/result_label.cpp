#include "window/result_label.h"

#include <QEvent>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace tramela {
namespace {

bool takesRoom(char32_t c) {
  if (c == U'\n') return true;
  switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
    case QChar::Other_Control:
      return false;
    default:
      return true;
  }
}

bool fitsOnOneLine(const QString& text, const QFont& font, qreal width) {
  return QFontMetricsF(font).horizontalAdvance(text) <= width;
}

// The largest point size, up to the font's own, at which text fits on one line of width.
// Advances do not grow exactly in proportion to the size (hinting rounds them), so the size
// is searched for rather than scaled.
QFont fontFittingOneLine(const QString& text, QFont font, qreal width) {
  if (fitsOnOneLine(text, font, width)) return font;
  constexpr int kSearchSteps = 16;  // the size to within a thousandth of a point
  double fits = kSmallestNumberPointSize;
  double tooLarge = font.pointSizeF();
  for (int step = 0; step < kSearchSteps; ++step) {
    const double middle = (fits + tooLarge) / 2;
    font.setPointSizeF(middle);
    (fitsOnOneLine(text, font, width) ? fits : tooLarge) = middle;
  }
  font.setPointSizeF(fits);
  return font;
}

}  // namespace

qsizetype shownCharacterBound(QSize box, const QFontMetricsF& metrics) {
  const auto lines = static_cast<qsizetype>(std::floor(box.height() / metrics.lineSpacing())) + 1;
  const auto perLine = static_cast<qsizetype>(std::floor(box.width() / kNarrowestAdvancePixels)) + 1;
  return std::max<qsizetype>(lines, 1) * std::max<qsizetype>(perLine, 1);
}

qsizetype shownPrefixLength(QStringView text, qsizetype maxCharacters) {
  qsizetype counted = 0;
  for (qsizetype i = 0; i < text.size();) {
    char32_t c = text.at(i).unicode();
    qsizetype length = 1;
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
      length = 2;
    }
    if (takesRoom(c) && ++counted > maxCharacters) return i;
    i += length;
  }
  return text.size();
}

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent), givenFont_(font()) {}

void ResultLabel::setResultText(const QString& text, ResultForm form) {
  resultText_ = text;
  form_ = form;
  showResult();
}

void ResultLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  showResult();
}

void ResultLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange && !fitting_) {
    givenFont_ = font();
    showResult();
  }
}

void ResultLabel::showResult() {
  // Only a number is measured: an empty result or a text asks for no font metrics, so the
  // window does not load the result's font before its first frame.
  const QFont shown = form_ == ResultForm::Number && !resultText_.isEmpty()
                          ? fontFittingOneLine(resultText_, givenFont_, contentsRect().width())
                          : givenFont_;
  if (shown != font()) {
    fitting_ = true;
    setFont(shown);
    fitting_ = false;
  }
  setText(shownText());
}

QString ResultLabel::shownText() const {
  // Nothing to measure: the label asks for its font only once there is a result, so the
  // window does not load the result's font before its first frame.
  if (resultText_.isEmpty()) return {};
  const qsizetype bound = shownCharacterBound(contentsRect().size(), QFontMetricsF(font()));
  return resultText_.first(shownPrefixLength(resultText_, bound));
}

}  // namespace tramela
