#pragma once
// A program run by a test: its standard output and error come back through pipes.

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <chrono>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

class CChildProcess
{
public:
    // bOwnGroup puts the child in a process group of its own, so that StopGroup also ends
    // the programs it starts.
    explicit CChildProcess(std::vector<std::string> arguments, bool bOwnGroup = false)
    {
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
            return;
        m_nPid = fork();
        if (m_nPid == 0)
        {
            if (bOwnGroup)
                setpgid(0, 0);
            dup2(out[1], STDOUT_FILENO);
            dup2(err[1], STDERR_FILENO);
            std::vector<char*> argv;
            for (std::string& strArgument : arguments)
                argv.push_back(strArgument.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        if (bOwnGroup && m_nPid > 0)
            setpgid(m_nPid, m_nPid);
        close(out[1]);
        close(err[1]);
        m_nOut = out[0];
        m_nErr = err[0];
    }
    ~CChildProcess()
    {
        if (m_nPid > 0 && m_nStatus < 0)
            Stop(SIGKILL);
        if (m_nOut >= 0)
            close(m_nOut);
        if (m_nErr >= 0)
            close(m_nErr);
    }
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // The first line of standard output, without its line feed; empty when none comes
    // within ten seconds.
    std::string FirstLine()
    {
        std::string strLine;
        pollfd fd{m_nOut, POLLIN, 0};
        char c;
        while (poll(&fd, 1, 10000) > 0 && read(m_nOut, &c, 1) == 1 && c != '\n')
            strLine += c;
        return strLine;
    }

    void Signal(int nSignal) { kill(m_nPid, nSignal); }

    // Sends the signal and returns the exit status (128 + signal when it killed the child).
    int Stop(int nSignal)
    {
        kill(m_nPid, nSignal);
        return Wait();
    }

    // Ends a child started with its own group and all its group: SIGTERM, and SIGKILL for
    // whatever is left after nWaitMilliseconds. Returns the child's exit status.
    int StopGroup(int nWaitMilliseconds)
    {
        kill(-m_nPid, SIGTERM);
        int nStatus = 0;
        pid_t nDone = 0;
        for (int nWaited = 0; nWaited < nWaitMilliseconds && nDone == 0; nWaited += 10)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            nDone = waitpid(m_nPid, &nStatus, WNOHANG);
        }
        kill(-m_nPid, SIGKILL);
        if (nDone == 0)
            return Wait();
        m_strOut += ReadToEnd(m_nOut);
        m_strErr += ReadToEnd(m_nErr);
        m_nStatus = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus);
        return m_nStatus;
    }

    // Waits for the end; collects the rest of the output. Returns the exit status.
    int Wait()
    {
        m_strOut += ReadToEnd(m_nOut);
        m_strErr += ReadToEnd(m_nErr);
        int nStatus = 0;
        waitpid(m_nPid, &nStatus, 0);
        m_nStatus = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus);
        return m_nStatus;
    }

    const std::string& Out() const { return m_strOut; }
    const std::string& Err() const { return m_strErr; }

private:
    static std::string ReadToEnd(int nFd)
    {
        std::string strText;
        char buffer[4096];
        ssize_t n;
        while ((n = read(nFd, buffer, sizeof buffer)) > 0)
            strText.append(buffer, static_cast<size_t>(n));
        return strText;
    }

    pid_t m_nPid = -1;
    int m_nOut = -1;
    int m_nErr = -1;
    int m_nStatus = -1;
    std::string m_strOut;
    std::string m_strErr;
};
