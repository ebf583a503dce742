#pragma once
// The program's own name, which names its settings folder. The program and each tool
// record it once at start from argv[0]; without that, the name the process was started
// under is used.

#include <string>

// Records the name from a command line's first word: double quotes are removed, then the
// folder part (up to the last '/' or '\') and the extension (from the last '.') are cut.
void SetProgramName(const std::string& argv0);

// The recorded name, for example "zephyrane".
std::string ProgramName();

// The file name part of a command word, without folder and extension.
std::string ProgramNameFromCommand(const std::string& command);
