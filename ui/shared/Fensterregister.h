// The window registry: the program's windows, made once at start (main/Formulare) and
// reached for the whole run through the global of each name. Every window folder finds the
// others here, without depending on the program's start.
#pragma once

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
