// The windows of the program. They are created once at start, in a fixed order, and live
// for the whole run; each is reached through the global of its name.
#pragma once

#include <memory>

#include "platform/Plattform.h"

class TIDD_MAIN;
class TIDD_BUCHUNGEN;
class TIDD_PERSONEN;
class TIDD_SYSTEMDATA;
class TIDD_PROFIL;
class TIDD_FEIERTAG;
class TIDD_DOORDATA;
class TIDC_INPUT;
class TIDD_CHANGE_PERSON;
class TIDD_SEND_DATA;
class TIDD_BUILD_FD;
class TIDD_COMM;
class TIDD_PASSWD;
class TIDD_ADVANCED;
class TIDD_STATUS;
class TIDD_EDIT_DOORTIMELINE;
class TIDD_EDIT_TIMELINE;
class TIDD_SPECIAL;
class TIDD_ABOUT;
class TIDD_PRINT;
class QtPlattform;

extern TIDD_MAIN* IDD_MAIN;
extern TIDD_BUCHUNGEN* IDD_BUCHUNGEN;
extern TIDD_PERSONEN* IDD_PERSONEN;
extern TIDD_SYSTEMDATA* IDD_SYSTEMDATA;
extern TIDD_PROFIL* IDD_PROFIL;
extern TIDD_FEIERTAG* IDD_FEIERTAG;
extern TIDD_DOORDATA* IDD_DOORDATA;
extern TIDC_INPUT* IDC_INPUT;
extern TIDD_CHANGE_PERSON* IDD_CHANGE_PERSON;
extern TIDD_SEND_DATA* IDD_SEND_DATA;
extern TIDD_BUILD_FD* IDD_BUILD_FD;
extern TIDD_COMM* IDD_COMM;
extern TIDD_PASSWD* IDD_PASSWD;
extern TIDD_ADVANCED* IDD_ADVANCED;
extern TIDD_STATUS* IDD_STATUS;
extern TIDD_EDIT_DOORTIMELINE* IDD_EDIT_DOORTIMELINE;
extern TIDD_EDIT_TIMELINE* IDD_EDIT_TIMELINE;
extern TIDD_SPECIAL* IDD_SPECIAL;
extern TIDD_ABOUT* IDD_ABOUT;
extern TIDD_PRINT* IDD_PRINT;

// The program's start: ignores SIGXFSZ and SIGPIPE, creates the windows in the program's order
// and installs the Qt platform for the engine; the destructor takes the platform back and
// destroys the windows, the main window first.
class TFormulare {
 public:
  TFormulare();
  ~TFormulare();
  TFormulare(const TFormulare&) = delete;
  TFormulare& operator=(const TFormulare&) = delete;

 private:
  std::unique_ptr<TIDD_MAIN> Main;
  std::unique_ptr<TIDD_BUCHUNGEN> Buchungen;
  std::unique_ptr<TIDD_PERSONEN> Personen;
  std::unique_ptr<TIDD_SYSTEMDATA> SystemData;
  std::unique_ptr<TIDD_PROFIL> Profil;
  std::unique_ptr<TIDD_FEIERTAG> Feiertag;
  std::unique_ptr<TIDD_DOORDATA> DoorData;
  std::unique_ptr<TIDC_INPUT> Input;
  std::unique_ptr<TIDD_CHANGE_PERSON> ChangePerson;
  std::unique_ptr<TIDD_SEND_DATA> SendData;
  std::unique_ptr<TIDD_BUILD_FD> BuildFd;
  std::unique_ptr<TIDD_COMM> Comm;
  std::unique_ptr<TIDD_PASSWD> Passwd;
  std::unique_ptr<TIDD_ADVANCED> Advanced;
  std::unique_ptr<TIDD_STATUS> Status;
  std::unique_ptr<TIDD_EDIT_DOORTIMELINE> EditDoorTimeline;
  std::unique_ptr<TIDD_EDIT_TIMELINE> EditTimeline;
  std::unique_ptr<TIDD_SPECIAL> Special;
  std::unique_ptr<TIDD_ABOUT> About;
  std::unique_ptr<TIDD_PRINT> Print;
  std::unique_ptr<QtPlattform> Plattform;
  plattform::Plattform* Vorher = nullptr;
};
