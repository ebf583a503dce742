#pragma once
// A buffered text file in the manner of the Windows text mode: every "\n" written is
// stored as CR LF, and lines read back lose their LF and a CR before it. A file opened
// for writing is created or emptied. While a file is open, nobody else can open it for
// writing, and a writer keeps readers out as well (advisory locks between the program's
// own openers).

#include <cstdio>
#include <string>

class CTextFile
{
public:
    enum class EMode
    {
        Read,
        Write
    };

    CTextFile() = default;
    virtual ~CTextFile();
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    // False when the file cannot be opened, another opener holds it, or the path is relative.
    bool Open(const std::string& path, EMode mode);
    bool IsOpen() const { return m_pFile != nullptr; }

    // Writes the text with every "\n" turned into CR LF; false on a write error.
    bool WriteString(const std::string& text);
    // Reads the next line without its line end; false at the end of the file.
    bool ReadString(std::string& line);

    // Closes the file; false when buffered text could not be written. Closing a closed
    // file returns true.
    bool Close();

private:
    std::FILE* m_pFile = nullptr;
    bool m_bWriteFailed = false;
};
