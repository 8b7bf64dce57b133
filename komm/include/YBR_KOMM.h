// The exports of the communication library libYBR_KOMM.so: plain C functions, unmangled.
// Texts are NUL-terminated; texts returned by the library stay valid until its next call.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

#if defined(YBR_KOMM_BUILD)
#define YBR_KOMM_API __attribute__((visibility("default")))
#else
#define YBR_KOMM_API
#endif

YBR_KOMM_API int _OpenKommSer(int comPort, int baudRate, int rtsControl, int logLevel);
YBR_KOMM_API int _OpenKommNet(int tcpPort, const char* host, int logLevel);
YBR_KOMM_API int _SendeTele(int interfaceType, int destAddr, int srcAddr, int command, const char* text, int number);
YBR_KOMM_API int _WarteAufTele(int interfaceType, int* srcOut, int ownAddr, char* textOut, int tries);
YBR_KOMM_API int _CloseKommunikation(int interfaceType);
YBR_KOMM_API int _SetParameter(int interfaceType, int replyTimeoutMs);
YBR_KOMM_API int _SetLogDirectory(const char* directory);
YBR_KOMM_API const char* _GetLastErrorMessage(void);
YBR_KOMM_API int _SetPing(int mode);
YBR_KOMM_API const char* _GetDLLVersion(void);

#ifdef __cplusplus
}
#endif
