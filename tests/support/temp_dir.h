#pragma once
// A fresh folder under /tmp for one test, removed with everything in it when the test ends.

#include <cstdlib>
#include <filesystem>
#include <string>

class CTempDir
{
public:
    CTempDir()
    {
        char pattern[] = "/tmp/zep-test-XXXXXX";
        if (mkdtemp(pattern) != nullptr)
            m_path = pattern;
    }
    ~CTempDir()
    {
        std::error_code error;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, error);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    // Empty when the folder could not be made.
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
