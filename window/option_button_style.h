#pragma once

#include <QProxyStyle>

namespace tramela {

// The toolkit's style with a smaller option indicator and less room beside it, so that each
// option button's caption fits its box: Option1 and Option2 are only 13 pixels high, and
// the caption of Option5 nearly fills its width.
class OptionButtonStyle : public QProxyStyle {
 public:
  // The indicator's side and the gap between indicator and caption, in pixels.
  static constexpr int kIndicatorSize = 13;
  static constexpr int kLabelSpacing = 4;

  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
};

}  // namespace tramela
