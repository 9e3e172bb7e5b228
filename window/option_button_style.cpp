#include "window/option_button_style.h"

namespace tramela {

int OptionButtonStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                   const QWidget* widget) const {
  switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
      return kIndicatorSize;
    case PM_RadioButtonLabelSpacing:
      return kLabelSpacing;
    default:
      return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

}  // namespace tramela
