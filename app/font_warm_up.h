#pragma once

#include <thread>

namespace tramela {

// Reads the system's font configuration on a second thread while the toolkit connects to
// the display. Parsing fontconfig's XML files is the largest single cost of showing the
// first frame, and nothing on the display connection needs it; by the time the window
// asks for its first font the configuration is ready. Without a second core the work is
// merely moved, not added.
//   FontConfigWarmUp warmUp;   // before QApplication
//   QApplication app(...);
//   warmUp.wait();             // before the first font is used
class FontConfigWarmUp {
 public:
  FontConfigWarmUp();
  ~FontConfigWarmUp();
  FontConfigWarmUp(const FontConfigWarmUp&) = delete;
  FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

  // Returns once the configuration is loaded; later calls return at once.
  void wait();

 private:
  std::thread thread_;
};

}  // namespace tramela
