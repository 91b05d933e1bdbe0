#include <QApplication>

#include "ghs_converter.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  GHSConverter wizard;
  wizard.show();
  return application.exec();
}
