// The configuration reader: any Wup.ini reads without harm, and every value the program
// writes reads back as written, whatever else stood in the file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "document/IniDatei.h"

#include "FuzzUmgebung.h"

namespace {

void Pruefe(bool gut, const char* was) {
  if (gut) return;
  std::fprintf(stderr, "%s does not read back as written\n", was);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  const std::string pfad = fuzz::SchreibeDatei("Wup.ini", std::span(daten, groesse));
  TIniDatei ini(pfad);
  const int page = ini.LeseZahl("Global", "Page", 1);
  const bool log = ini.LeseBool("Global", "LOG", false);
  const std::string ip = ini.LeseText("Network", "IP", "127.0.0.1");
  const int tcp = ini.LeseZahl("Network", "TCPPort", 10001);
  const int port = ini.LeseZahl("Comm", "port", 2);
  const int adresse = ini.LeseZahl("Comm", "Adress", 9);
  const bool kabel = ini.LeseBool("Comm", "Cable", true);

  // What the program writes back at its end; a value that the file format cannot hold (a
  // line break) is the writer's to refuse, so only plain texts are written here.
  const bool schlichteIp = ip.find_first_of("\r\n") == std::string::npos;
  ini.SchreibeZahl("Global", "Page", page ^ 1);
  ini.SchreibeBool("Global", "LOG", !log);
  if (schlichteIp) ini.SchreibeText("Network", "IP", ip);
  ini.SchreibeZahl("Network", "TCPPort", tcp);
  ini.SchreibeZahl("Comm", "port", port);
  ini.SchreibeZahl("Comm", "Adress", adresse);
  ini.SchreibeBool("Comm", "Cable", !kabel);
  if (!ini.Speichern()) return 0;

  const TIniDatei zurueck(pfad);
  Pruefe(zurueck.LeseZahl("Global", "Page", page) == (page ^ 1), "Page");
  Pruefe(zurueck.LeseBool("Global", "LOG", log) == !log, "LOG");
  if (schlichteIp) Pruefe(zurueck.LeseText("Network", "IP", "") == ip, "IP");
  Pruefe(zurueck.LeseZahl("Network", "TCPPort", ~tcp) == tcp, "TCPPort");
  Pruefe(zurueck.LeseZahl("Comm", "port", ~port) == port, "port");
  Pruefe(zurueck.LeseZahl("Comm", "Adress", ~adresse) == adresse, "Adress");
  Pruefe(zurueck.LeseBool("Comm", "Cable", kabel) == !kabel, "Cable");
  return 0;
}
