// Long texts through the window: a megabyte in dati1, echoed into Label1 and converted.
// Each figure is the wall time from the user's action (a click, a key, a paste) to the end
// of the paint that shows its outcome, or to the error sink for a conversion that fails.
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another (xcb under Xvfb gives
// the real repaint). Prints the median and the fastest of kRuns runs, in milliseconds.
//
//   build/bench/tramela_bench_long_text [megabytes]

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "window/form1.h"

namespace tramela {
namespace {

constexpr int kRuns = 7;
constexpr int kTimeoutMs = 60000;

// Tells when a watched widget has finished a paint.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
  void arm() { painted_ = false; }
  bool painted() const { return painted_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != widget_ || event->type() != QEvent::Paint) return false;
    // Paint now, inside the filter, so that the time taken is the paint's own.
    widget_->removeEventFilter(this);
    QCoreApplication::sendEvent(widget_, event);
    widget_->installEventFilter(this);
    painted_ = true;
    return true;
  }

 private:
  QWidget* widget_;
  bool painted_ = false;
};

struct Figure {
  double medianMs;
  double fastestMs;
};

Figure timeRuns(const std::function<void()>& prepare, const std::function<void()>& act,
                const std::function<bool()>& done) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    prepare();
    QElapsedTimer timer;
    timer.start();
    act();
    while (!done() && timer.elapsed() < kTimeoutMs) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front()};
}

void print(const char* what, Figure figure) {
  std::printf("%-58s median %9.2f ms   fastest %9.2f ms\n", what, figure.medianMs,
              figure.fastestMs);
}

QString repeatedTo(const QString& unit, qsizetype bytes) {
  QString text;
  text.reserve(bytes + unit.size());
  while (text.size() < bytes) text += unit;
  text.truncate(bytes);
  return text;
}

}  // namespace
}  // namespace tramela

int main(int argc, char** argv) {
  using namespace tramela;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 1.0;
  const auto bytes = static_cast<qsizetype>(megabytes * 1024 * 1024);

  int sinkCalls = 0;
  Form1 form([&sinkCalls](const std::exception&) { ++sinkCalls; });
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  auto* dati1 = form.findChild<QLineEdit*>(QStringLiteral("dati1"));
  auto* label1 = form.findChild<QLabel*>(QStringLiteral("Label1"));
  auto* option1 = form.findChild<QRadioButton*>(QStringLiteral("Option1"));
  auto* option5 = form.findChild<QRadioButton*>(QStringLiteral("Option5"));
  PaintWatch labelPaint(label1);
  PaintWatch fieldPaint(dati1);
  const auto clickIndicator = [](QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  };

  const QString digits = repeatedTo(QStringLiteral("1234567890"), bytes);
  const QString words = repeatedTo(QStringLiteral("parola "), bytes);
  const QString accented = repeatedTo(QString::fromUtf8("perché più città "), bytes);
  // Reads as 1: the conversion succeeds and Label1 shows 25,4.
  const QString zeros = QString(bytes - 1, QLatin1Char('0')) + QLatin1Char('1');
  std::printf("%s platform, %lld characters\n", qPrintable(QGuiApplication::platformName()),
              static_cast<long long>(bytes));

  for (const auto& [name, text] : {std::pair{"digits", digits}, std::pair{"words", words},
                                    std::pair{"accented words", accented},
                                    std::pair{"zeros then 1", zeros}}) {
    std::printf("-- %s\n", name);
    print("paste into empty dati1, to dati1 painted",
          timeRuns([&] { dati1->clear(); QApplication::clipboard()->setText(text);
                         QCoreApplication::processEvents(); fieldPaint.arm(); },
                   [&] { dati1->paste(); }, [&] { return fieldPaint.painted(); }));
    print("type one character at the end, to dati1 painted",
          timeRuns([&] { dati1->setFocus(); dati1->end(false);
                         QCoreApplication::processEvents(); fieldPaint.arm(); },
                   [&] { QTest::keyClick(dati1, Qt::Key_1); },
                   [&] { return fieldPaint.painted(); }));
    dati1->setText(text);
    print("copy of dati1's text (QString::toStdString)",
          timeRuns([] {}, [&] { volatile auto size = dati1->text().toStdString().size(); (void)size; },
                   [] { return true; }));
    print("click Option5 (echo), to Label1 painted",
          timeRuns([&] { option1->setChecked(true); label1->clear();
                         QCoreApplication::processEvents(); labelPaint.arm(); },
                   [&] { clickIndicator(option5); }, [&] { return labelPaint.painted(); }));
    int sinkBefore = 0;
    print("click Option1 (conversion), to the error sink or Label1 painted",
          timeRuns([&] { option5->setChecked(true); QCoreApplication::processEvents();
                         labelPaint.arm(); sinkBefore = sinkCalls; },
                   [&] { clickIndicator(option1); },
                   [&] { return sinkCalls != sinkBefore || labelPaint.painted(); }));
  }
  return 0;
}
