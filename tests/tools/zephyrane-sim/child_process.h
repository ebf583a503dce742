#pragma once
// A program run by a test: its standard output and error come back through pipes.

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

class CChildProcess
{
public:
    explicit CChildProcess(std::vector<std::string> arguments)
    {
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
            return;
        m_nPid = fork();
        if (m_nPid == 0)
        {
            dup2(out[1], STDOUT_FILENO);
            dup2(err[1], STDERR_FILENO);
            std::vector<char*> argv;
            for (std::string& strArgument : arguments)
                argv.push_back(strArgument.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
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

    // Sends the signal and returns the exit status (128 + signal when it killed the child).
    int Stop(int nSignal)
    {
        kill(m_nPid, nSignal);
        return Wait();
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
