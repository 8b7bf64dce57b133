// The windows of the program. They are created once at start, in a fixed order, and live
// for the whole run; each is reached through the global of its name.
#pragma once

#include <memory>

#include "platform/Plattform.h"

class TIDD_MAIN;
class TIDD_FEIERTAG;
class TIDC_INPUT;
class TIDD_SEND_DATA;
class TIDD_BUILD_FD;
class TIDD_COMM;
class TIDD_PASSWD;
class TIDD_ADVANCED;
class TIDD_STATUS;
class TIDD_ABOUT;
class TIDD_PRINT;
class QtPlattform;

extern TIDD_MAIN* IDD_MAIN;
extern TIDD_FEIERTAG* IDD_FEIERTAG;
extern TIDC_INPUT* IDC_INPUT;
extern TIDD_SEND_DATA* IDD_SEND_DATA;
extern TIDD_BUILD_FD* IDD_BUILD_FD;
extern TIDD_COMM* IDD_COMM;
extern TIDD_PASSWD* IDD_PASSWD;
extern TIDD_ADVANCED* IDD_ADVANCED;
extern TIDD_STATUS* IDD_STATUS;
extern TIDD_ABOUT* IDD_ABOUT;
extern TIDD_PRINT* IDD_PRINT;

// Creates the windows in the program's order and installs the Qt platform for the engine;
// the destructor takes the platform back and destroys the windows, the main window first.
class TFormulare {
 public:
  TFormulare();
  ~TFormulare();
  TFormulare(const TFormulare&) = delete;
  TFormulare& operator=(const TFormulare&) = delete;

 private:
  std::unique_ptr<TIDD_MAIN> Main;
  std::unique_ptr<TIDD_FEIERTAG> Feiertag;
  std::unique_ptr<TIDC_INPUT> Input;
  std::unique_ptr<TIDD_SEND_DATA> SendData;
  std::unique_ptr<TIDD_BUILD_FD> BuildFd;
  std::unique_ptr<TIDD_COMM> Comm;
  std::unique_ptr<TIDD_PASSWD> Passwd;
  std::unique_ptr<TIDD_ADVANCED> Advanced;
  std::unique_ptr<TIDD_STATUS> Status;
  std::unique_ptr<TIDD_ABOUT> About;
  std::unique_ptr<TIDD_PRINT> Print;
  std::unique_ptr<QtPlattform> Plattform;
  plattform::Plattform* Vorher = nullptr;
};
