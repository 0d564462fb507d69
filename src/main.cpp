#include "shell/cselvantisapp.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication qtApp(argc, argv);
  CSelvantisApp app;
  return app.Run(QApplication::arguments().mid(1));
}
