// The toolkit's floor for start-up: a QApplication and an empty window of Tramela's size,
// nothing else. bench/startup measures Tramela against it.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("bare");
  window.resize(312, 503);
  window.show();
  return app.exec();
}
