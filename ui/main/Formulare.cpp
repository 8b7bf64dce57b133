#include "main/Formulare.h"

#include <csignal>

#include "bookings/BuchungenDlg.h"
#include "calendar/FeiertageDlg.h"
#include "calendar/FeiertagkalDlg.h"
#include "main/AboutDlg.h"
#include "main/DatenSendenDlg.h"
#include "main/MainDlg.h"
#include "persons/PersonAendernDlg.h"
#include "persons/PersonendatenDlg.h"
#include "printing/PrintDlg.h"
#include "profiles/EditTuerZeitlinieDlg.h"
#include "profiles/EditZeitlinieDlg.h"
#include "profiles/TuerdatenDlg.h"
#include "profiles/ZutrittprofileDlg.h"
#include "settings/AdvancedDlg.h"
#include "settings/PasswdDlg.h"
#include "settings/SelectCommDlg.h"
#include "settings/SpezialDlg.h"
#include "settings/SteuerungenDlg.h"
#include "shared/EingabeDlg.h"
#include "shared/QtPlattform.h"
#include "shared/StatusDlg.h"

TIDD_MAIN* IDD_MAIN = nullptr;
TIDD_BUCHUNGEN* IDD_BUCHUNGEN = nullptr;
TIDD_PERSONEN* IDD_PERSONEN = nullptr;
TIDD_SYSTEMDATA* IDD_SYSTEMDATA = nullptr;
TIDD_PROFIL* IDD_PROFIL = nullptr;
TIDD_FEIERTAG* IDD_FEIERTAG = nullptr;
TIDD_DOORDATA* IDD_DOORDATA = nullptr;
TIDC_INPUT* IDC_INPUT = nullptr;
TIDD_CHANGE_PERSON* IDD_CHANGE_PERSON = nullptr;
TIDD_SEND_DATA* IDD_SEND_DATA = nullptr;
TIDD_BUILD_FD* IDD_BUILD_FD = nullptr;
TIDD_COMM* IDD_COMM = nullptr;
TIDD_PASSWD* IDD_PASSWD = nullptr;
TIDD_ADVANCED* IDD_ADVANCED = nullptr;
TIDD_STATUS* IDD_STATUS = nullptr;
TIDD_EDIT_DOORTIMELINE* IDD_EDIT_DOORTIMELINE = nullptr;
TIDD_EDIT_TIMELINE* IDD_EDIT_TIMELINE = nullptr;
TIDD_SPECIAL* IDD_SPECIAL = nullptr;
TIDD_ABOUT* IDD_ABOUT = nullptr;
TIDD_PRINT* IDD_PRINT = nullptr;

TFormulare::TFormulare() {
  // A file-size limit or a closed connection makes a write fail, which the program reports
  // with the old files kept, instead of ending the program with the user's unsaved work.
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  Main = std::make_unique<TIDD_MAIN>();
  IDD_MAIN = Main.get();
  Buchungen = std::make_unique<TIDD_BUCHUNGEN>();
  IDD_BUCHUNGEN = Buchungen.get();
  Personen = std::make_unique<TIDD_PERSONEN>();
  IDD_PERSONEN = Personen.get();
  SystemData = std::make_unique<TIDD_SYSTEMDATA>();
  IDD_SYSTEMDATA = SystemData.get();
  Profil = std::make_unique<TIDD_PROFIL>();
  IDD_PROFIL = Profil.get();
  Feiertag = std::make_unique<TIDD_FEIERTAG>();
  IDD_FEIERTAG = Feiertag.get();
  DoorData = std::make_unique<TIDD_DOORDATA>();
  IDD_DOORDATA = DoorData.get();
  Input = std::make_unique<TIDC_INPUT>();
  IDC_INPUT = Input.get();
  ChangePerson = std::make_unique<TIDD_CHANGE_PERSON>();
  IDD_CHANGE_PERSON = ChangePerson.get();
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
  EditDoorTimeline = std::make_unique<TIDD_EDIT_DOORTIMELINE>();
  IDD_EDIT_DOORTIMELINE = EditDoorTimeline.get();
  EditTimeline = std::make_unique<TIDD_EDIT_TIMELINE>();
  IDD_EDIT_TIMELINE = EditTimeline.get();
  Special = std::make_unique<TIDD_SPECIAL>();
  IDD_SPECIAL = Special.get();
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
  IDD_BUCHUNGEN = nullptr;
  IDD_PERSONEN = nullptr;
  IDD_SYSTEMDATA = nullptr;
  IDD_PROFIL = nullptr;
  IDD_FEIERTAG = nullptr;
  IDD_DOORDATA = nullptr;
  IDC_INPUT = nullptr;
  IDD_CHANGE_PERSON = nullptr;
  IDD_SEND_DATA = nullptr;
  IDD_BUILD_FD = nullptr;
  IDD_COMM = nullptr;
  IDD_PASSWD = nullptr;
  IDD_ADVANCED = nullptr;
  IDD_STATUS = nullptr;
  IDD_EDIT_DOORTIMELINE = nullptr;
  IDD_EDIT_TIMELINE = nullptr;
  IDD_SPECIAL = nullptr;
  IDD_ABOUT = nullptr;
  IDD_PRINT = nullptr;
}
