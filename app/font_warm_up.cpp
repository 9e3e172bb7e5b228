#include "app/font_warm_up.h"

#include <fontconfig/fontconfig.h>

namespace tramela {

// FcInit loads the default configuration that every later fontconfig call, Qt's included,
// shares; fontconfig guards it for use from several threads.
FontConfigWarmUp::FontConfigWarmUp() : thread_([] { FcInit(); }) {}

FontConfigWarmUp::~FontConfigWarmUp() { wait(); }

void FontConfigWarmUp::wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace tramela
