// Veltrin_Access_Rizoroda: administration of the access controller.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "main/Formulare.h"
#include "main/MainDlg.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Veltrin Dizero Ruzezava"));
  // The windows are German: so are Qt's own texts (file dialogs, edit menus) where their
  // translation is installed.
  QTranslator qtTexte;
  if (qtTexte.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexte);
  }
  TFormulare formulare;
  IDD_MAIN->show();
  return QApplication::exec();
}
