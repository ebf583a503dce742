#pragma once
// Points the drives and the runtime folder of the program at a fresh temporary folder for
// the lifetime of the object, so that tests never touch the real home, and restores the
// previous values afterwards.

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>

class CTempEnvironment
{
public:
    CTempEnvironment()
    {
        std::string strTemplate = (std::filesystem::temp_directory_path() / "zep-test-XXXXXX").string();
        m_root = mkdtemp(strTemplate.data());
        for (const char* pszName : {"C", "D", "E", "run"})
            std::filesystem::create_directories(m_root / pszName);
        Set("ZEPHYRANE_DRIVE_C", (m_root / "C").string());
        Set("ZEPHYRANE_DRIVE_D", (m_root / "D").string());
        Set("ZEPHYRANE_DRIVE_E", (m_root / "E").string());
        Set("XDG_RUNTIME_DIR", (m_root / "run").string());
    }
    ~CTempEnvironment()
    {
        for (const auto& [strName, previous] : m_previous)
        {
            if (previous)
                setenv(strName.c_str(), previous->c_str(), 1);
            else
                unsetenv(strName.c_str());
        }
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }
    CTempEnvironment(const CTempEnvironment&) = delete;
    CTempEnvironment& operator=(const CTempEnvironment&) = delete;

    const std::filesystem::path& Root() const { return m_root; }

private:
    void Set(const std::string& strName, const std::string& strValue)
    {
        const char* pszOld = std::getenv(strName.c_str());
        m_previous[strName] = pszOld ? std::optional<std::string>(pszOld) : std::nullopt;
        setenv(strName.c_str(), strValue.c_str(), 1);
    }

    std::filesystem::path m_root;
    std::map<std::string, std::optional<std::string>> m_previous;
};
