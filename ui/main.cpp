// Veltrin_Access_Rizoroda: administration of the access controller.
#include <QApplication>

#include "Formulare.h"
#include "MainDlg.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Veltrin Dizero Ruzezava"));
  TFormulare formulare;
  IDD_MAIN->show();
  return QApplication::exec();
}
