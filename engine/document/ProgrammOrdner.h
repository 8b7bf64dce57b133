// The program's folder, where Wup.ini, the new document "temp", the protocol logs and the
// access log live: the folder of the running executable, or, when that folder is not writable,
// $XDG_CONFIG_HOME/Veltrin_Access_Rizoroda (by default ~/.config/Veltrin_Access_Rizoroda),
// created when missing. Every path returned ends in '/'.
#pragma once

#include <string>

// The folder for this run (worked out once).
const std::string& ProgrammOrdner();

// The folder for an executable lying in `exeOrdner`: that folder when it is writable, else the
// configuration folder.
std::string ProgrammOrdnerFuer(const std::string& exeOrdner);
