#include "window/result_label.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <QTextLayout>

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

// Line breaking looks back this many characters at most, in practice; a search for the next
// break goes window by window, each starting this far before the last one's end.
constexpr qsizetype kBreakContext = 64;
constexpr qsizetype kBreakSearchWindow = 4096;

bool endsLine(QChar c) {
  return c == QLatin1Char('\n') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// The first place at or after from where a line can break (the text's end at the latest).
qsizetype nextLineBreak(const QString& text, qsizetype from) {
  // The boundary finder does not report the break after a line feed; look for it here.
  qsizetype limit = from;
  while (limit < text.size() && !endsLine(text.at(limit))) ++limit;
  limit = std::min(text.size(), limit + 1);
  qsizetype trustedFrom = from;
  qsizetype start = std::max<qsizetype>(0, from - kBreakContext);
  while (true) {
    const qsizetype end = std::min(limit, start + kBreakContext + kBreakSearchWindow);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text.constData() + start, end - start);
    for (qsizetype p = finder.toNextBoundary(); p != -1; p = finder.toNextBoundary()) {
      const qsizetype at = start + p;
      // A window's own end is a boundary only because the window ends there.
      if (at >= trustedFrom && (at < end || end == limit)) return at;
    }
    if (end == limit) return limit;
    trustedFrom = end;
    start = end - kBreakContext;
  }
}

struct Lines {
  qsizetype count = 0;
  qsizetype lastStart = 0;
  bool lastOverflows = false;
};

// The lines text makes as a word-wrapping label draws it in a box of the given width.
Lines layOut(QString text, const QFont& font, qreal width) {
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  Lines lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    ++lines.count;
    lines.lastStart = line.textStart();
    lines.lastOverflows = line.naturalTextWidth() > width;
  }
  layout.endLayout();
  return lines;
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

// The start of the text that fills the box, line by line. A word wider than the box runs on,
// cut off at the box's edge, to the next place where its line can break, and what follows
// starts the next line: where such a word reaches the end of what was counted, the label is
// given the start of the word and a line break, and the count goes on after the word.
QString ResultLabel::shownText() const {
  // Nothing to measure: the label asks for its font only once there is a result, so the
  // window does not load the result's font before its first frame.
  if (resultText_.isEmpty()) return {};
  const QSize box = contentsRect().size();
  const qsizetype bound = shownCharacterBound(box, QFontMetricsF(font()));
  if (!wordWrap()) return resultText_.first(shownPrefixLength(resultText_, bound));
  const qsizetype perLine = shownCharacterBound(QSize(box.width(), 0), QFontMetricsF(font()));
  qsizetype linesLeft = bound / perLine;
  QString shown;
  qsizetype from = 0;
  while (linesLeft > 0 && from < resultText_.size()) {
    const QStringView rest = QStringView(resultText_).sliced(from);
    const qsizetype length = shownPrefixLength(rest, linesLeft * perLine);
    if (length == rest.size()) {
      shown += rest;
      break;
    }
    const QString chunk = rest.first(length).toString();
    const Lines lines = layOut(chunk, font(), box.width());
    if (lines.count > linesLeft) {
      shown += chunk;  // its first linesLeft lines are whole
      break;
    }
    if (lines.lastOverflows) {
      shown += chunk;
      from = nextLineBreak(resultText_, from + length);
      if (from < resultText_.size()) shown += QChar::LineSeparator;
      linesLeft -= lines.count;
    } else if (lines.count >= 2) {
      // The last line may have been cut short: count again from its start.
      shown += QStringView(chunk).first(lines.lastStart);
      from += lines.lastStart;
      linesLeft -= lines.count - 1;
    } else {
      shown += chunk;  // narrower characters than assumed; show what was counted
      break;
    }
  }
  return shown;
}

}  // namespace tramela
