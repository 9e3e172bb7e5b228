// The toolkit's floor for start-up: a QApplication and an empty window of Tramela's size,
// nothing else. With --label the window also shows one word in the default font: the floor
// for a window that shows any text at all. bench/startup measures Tramela against both.
//
//   tramela_bare_window [--label]

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
  const bool withLabel = argc > 1 && std::strcmp(argv[1], "--label") == 0;
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QWidget window;
  window.setWindowTitle("bare");
  window.resize(312, 503);
  if (withLabel) (new QLabel(QStringLiteral("Tramela"), &window))->move(10, 10);
  window.show();
  return app.exec();
}
