// The yardsticks: a bare Qt window of the entry window's size, from process
// start to its first paint, which prints "ready" and ends the process. With
// the argument "text" the window also shows one label, so that its first
// paint includes what any window with text pays once: the font database.

#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstdio>

namespace {

class TBareWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    _exit(0);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TBareWindow window;
  window.resize(338, 564);
  if (argc > 1 && QByteArray(argv[1]) == "text")
    (new QLabel(QStringLiteral("No. Permiso"), &window))->move(8, 73);
  window.show();
  return app.exec();
}
