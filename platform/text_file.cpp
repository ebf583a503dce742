#include "platform/text_file.h"

#include "platform/drives.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

CTextFile::~CTextFile()
{
    Close();
}

bool CTextFile::Open(const std::string& path, EMode mode)
{
    Close();
    // A relative path would reach whatever folder the program runs in: never opened.
    if (!IsAbsolutePath(path))
        return false;
    const bool write = mode == EMode::Write;
    const int fd = ::open(path.c_str(), (write ? O_WRONLY | O_CREAT : O_RDONLY) | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    // Only plain files are text files (a folder opens for reading, but holds no lines).
    // Readers share the file with readers; a writer has it alone. The lock is taken before
    // truncating so that a refused writer leaves the file as it was.
    struct stat info{};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flock(fd, (write ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0 ||
        (write && ftruncate(fd, 0) != 0))
    {
        ::close(fd);
        return false;
    }
    m_pFile = fdopen(fd, write ? "w" : "r");
    if (m_pFile == nullptr)
    {
        ::close(fd);
        return false;
    }
    m_bWriteFailed = false;
    return true;
}

bool CTextFile::WriteString(const std::string& text)
{
    if (m_pFile == nullptr)
        return false;
    std::string stored;
    stored.reserve(text.size() + 2);
    for (char c : text)
    {
        if (c == '\n')
            stored += '\r';
        stored += c;
    }
    if (std::fwrite(stored.data(), 1, stored.size(), m_pFile) != stored.size())
        m_bWriteFailed = true;
    return !m_bWriteFailed;
}

bool CTextFile::ReadString(std::string& line)
{
    line.clear();
    if (m_pFile == nullptr)
        return false;
    int c = std::fgetc(m_pFile);
    if (c == EOF)
        return false;
    while (c != EOF && c != '\n')
    {
        line += static_cast<char>(c);
        c = std::fgetc(m_pFile);
    }
    if (c == '\n' && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool CTextFile::Close()
{
    if (m_pFile == nullptr)
        return true;
    const bool flushed = std::fflush(m_pFile) == 0;
    const bool closed = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    return flushed && closed && !m_bWriteFailed;
}
