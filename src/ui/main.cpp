// Vestrel: the window program.
#include <QApplication>

#include "platform/program.h"
#include "platform/registry.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  vestrel::MainWindow window(vestrel::ProgramFolder(), vestrel::SystemRegistry());
  window.show();
  return QApplication::exec();
}
