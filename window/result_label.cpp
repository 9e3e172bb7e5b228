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

}  // namespace

qsizetype shownCharacterBound(QSize box, const QFontMetricsF& metrics) {
  const auto lines = static_cast<qsizetype>(std::floor(box.height() / metrics.lineSpacing())) + 1;
  const auto perLine = static_cast<qsizetype>(std::floor(box.width() / kNarrowestAdvancePixels)) + 1;
  return std::max<qsizetype>(lines, 1) * std::max<qsizetype>(perLine, 1);
}

qsizetype shownPrefixLength(const QString& text, qsizetype maxCharacters) {
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

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {}

void ResultLabel::setResultText(const QString& text) {
  resultText_ = text;
  showResult();
}

void ResultLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  showResult();
}

void ResultLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) showResult();
}

void ResultLabel::showResult() {
  const qsizetype length =
      shownPrefixLength(resultText_, shownCharacterBound(contentsRect().size(), QFontMetricsF(font())));
  setText(length == resultText_.size() ? resultText_ : resultText_.first(length));
}

}  // namespace tramela
