#pragma once
// Runs a shell command as a user would type it and keeps its exit status and both outputs.

#include "tests/support/file_text.h"
#include "tests/support/temp_dir.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>

struct SCommandRun
{
    int m_nStatus = -1;  // the exit status; -1 when it did not exit normally
    std::string m_strOut;
    std::string m_strErr;
};

// strCommand is shell text, its words already quoted.
inline SCommandRun RunCommand(const std::string& strCommand)
{
    const CTempDir dir;
    const std::string out = dir.Path() + "/out";
    const std::string err = dir.Path() + "/err";
    const int nStatus = std::system((strCommand + " </dev/null >'" + out + "' 2>'" + err + "'").c_str());
    return {WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1, ReadFileBytes(out), ReadFileBytes(err)};
}
