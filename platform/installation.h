#pragma once
// What the build knows about the installed program: its version, and where its helper
// programs (the driver set-up) stand relative to its executables. A build-tree run has the
// same layout around its executable, so both find their helpers the same way.

#include <string>

// The program's version, for example "0.1.0".
const char* ProgramVersion();

// The helper programs' folder of an executable at strExecutable, with a trailing '/': the
// installed helper folder taken relative to the executable's folder, for example
// "/usr/libexec/zephyrane/" for "/usr/bin/zephyrane". Empty for an empty path.
std::string HelperProgramsFolderOf(const std::string& strExecutable);

// The helper programs' folder of the running executable (read from /proc/self/exe, never
// from the current folder, where anyone may place a file); empty when it cannot be read.
std::string HelperProgramsFolder();
