#pragma once
// Starting another program and waiting a limited time for it to end. A program that is
// still running when the wait is over keeps running on its own.

#include <string>
#include <utility>
#include <vector>

class IProgramLauncher
{
public:
    enum class EOutcome { kNotStarted, kEnded, kStillRunning };

    virtual ~IProgramLauncher() = default;
    // The folder the program's own helper programs are looked for in, with a trailing '/'.
    virtual std::string ProgramsFolder() const = 0;
    // Starts the program at strPath with the arguments args, in this process's current
    // directory and environment, and waits at most nWaitMs milliseconds for it to end.
    virtual EOutcome StartAndWait(const std::string& strPath, const std::vector<std::string>& args,
                                  int nWaitMs) = 0;
};

// Starts programs as child processes. A child still running after the wait is handed to a
// background waiter that collects its exit status, so that it never lingers as a zombie.
// Its programs folder is the running program's helper folder unless one is given.
class CProcessLauncher final : public IProgramLauncher
{
public:
    CProcessLauncher();
    explicit CProcessLauncher(std::string strProgramsFolder) : m_strProgramsFolder(std::move(strProgramsFolder)) {}

    std::string ProgramsFolder() const override { return m_strProgramsFolder; }
    EOutcome StartAndWait(const std::string& strPath, const std::vector<std::string>& args,
                          int nWaitMs) override;

private:
    std::string m_strProgramsFolder;
};
