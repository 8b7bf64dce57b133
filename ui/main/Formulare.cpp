#include "main/Formulare.h"

#include "calendar/FeiertagkalDlg.h"
#include "calendar/FeiertageDlg.h"
#include "main/AboutDlg.h"
#include "main/DatenSendenDlg.h"
#include "main/EingabeDlg.h"
#include "main/MainDlg.h"
#include "platform/QtPlattform.h"
#include "main/StatusDlg.h"
#include "settings/AdvancedDlg.h"
#include "settings/PasswdDlg.h"
#include "settings/SelectCommDlg.h"
#include "printing/PrintDlg.h"

TIDD_MAIN* IDD_MAIN = nullptr;
TIDD_FEIERTAG* IDD_FEIERTAG = nullptr;
TIDC_INPUT* IDC_INPUT = nullptr;
TIDD_SEND_DATA* IDD_SEND_DATA = nullptr;
TIDD_BUILD_FD* IDD_BUILD_FD = nullptr;
TIDD_COMM* IDD_COMM = nullptr;
TIDD_PASSWD* IDD_PASSWD = nullptr;
TIDD_ADVANCED* IDD_ADVANCED = nullptr;
TIDD_STATUS* IDD_STATUS = nullptr;
TIDD_ABOUT* IDD_ABOUT = nullptr;
TIDD_PRINT* IDD_PRINT = nullptr;

TFormulare::TFormulare() {
  Main = std::make_unique<TIDD_MAIN>();
  IDD_MAIN = Main.get();
  Feiertag = std::make_unique<TIDD_FEIERTAG>();
  IDD_FEIERTAG = Feiertag.get();
  Input = std::make_unique<TIDC_INPUT>();
  IDC_INPUT = Input.get();
  SendData = std::make_unique<TIDD_SEND_DATA>();
  IDD_SEND_DATA = SendData.get();
  BuildFd = std::make_unique<TIDD_BUILD_FD>();
  IDD_BUILD_FD = BuildFd.get();
  Comm = std::make_unique<TIDD_COMM>();
  IDD_COMM = Comm.get();
  Passwd = std::make_unique<TIDD_PASSWD>();
  IDD_PASSWD = Passwd.get();
  Advanced = std::make_unique<TIDD_ADVANCED>();
  IDD_ADVANCED = Advanced.get();
  Status = std::make_unique<TIDD_STATUS>();
  IDD_STATUS = Status.get();
  About = std::make_unique<TIDD_ABOUT>();
  IDD_ABOUT = About.get();
  Print = std::make_unique<TIDD_PRINT>();
  IDD_PRINT = Print.get();
  Plattform = std::make_unique<QtPlattform>(*Status);
  Vorher = plattform::Install(Plattform.get());
}

TFormulare::~TFormulare() {
  // The main window goes first: its document object goes with it while the others and the
  // platform still exist.
  Main.reset();
  plattform::Install(Vorher);
  IDD_MAIN = nullptr;
  IDD_FEIERTAG = nullptr;
  IDC_INPUT = nullptr;
  IDD_SEND_DATA = nullptr;
  IDD_BUILD_FD = nullptr;
  IDD_COMM = nullptr;
  IDD_PASSWD = nullptr;
  IDD_ADVANCED = nullptr;
  IDD_STATUS = nullptr;
  IDD_ABOUT = nullptr;
  IDD_PRINT = nullptr;
}
