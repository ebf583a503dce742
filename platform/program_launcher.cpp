#include "platform/program_launcher.h"

#include "platform/installation.h"

#include <cerrno>
#include <chrono>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

// True when the child has ended (its status is collected).
bool Reap(pid_t pid, int nOptions)
{
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid, &status, nOptions);
    } while (result < 0 && errno == EINTR);
    return result == pid || (result < 0 && errno == ECHILD);
}

}  // namespace

CProcessLauncher::CProcessLauncher() : m_strProgramsFolder(HelperProgramsFolder())
{
}

IProgramLauncher::EOutcome CProcessLauncher::StartAndWait(const std::string& strPath,
                                                          const std::vector<std::string>& args, int nWaitMs)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(strPath.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (posix_spawn(&pid, strPath.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return EOutcome::kNotStarted;
    }

    // A short poll keeps this free of signal handlers, which belong to the toolkit.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(nWaitMs);
    while (true) {
        if (Reap(pid, WNOHANG)) {
            return EOutcome::kEnded;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::thread([pid] { Reap(pid, 0); }).detach();
    return EOutcome::kStillRunning;
}
