// script_open_windows.cpp: opening the script file on Windows, with the C library's text mode.
//
// Depends on <cstdio> only. "rt" reads with CR LF line ends turned into line feeds, "wt" creates
// or empties the file and writes CR LF line ends. The POSIX hosts' checks against FIFOs, devices
// and planted links live in script_open_posix.cpp; here the open is the plain stdio one.
#include "script_open.h"

namespace vorbl {

ScriptOpening open_script_for_reading(const char *name) {
    return {std::fopen(name, "rt"), SCRIPT_OPEN_FAILED};
}

ScriptOpening open_script_for_writing(const char *name) {
    return {std::fopen(name, "wt"), SCRIPT_OPEN_FAILED};
}

}  // namespace vorbl
