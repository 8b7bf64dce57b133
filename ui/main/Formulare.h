// The windows of the program: created once, in a fixed order, they live for the whole run;
// each is reached through the global of its name (shared/Fensterregister.h).
#pragma once

#include <memory>

#include "platform/Plattform.h"

#include "shared/Fensterregister.h"

class QtPlattform;

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
