#pragma once
// Drives C:, D: and E: in a fresh temporary folder for one test. C: always exists; D: and
// E: are fixed disks only once a test adds them. $HOME and $XDG_RUNTIME_DIR point into
// the temporary folder as well, so nothing reaches the real home. Everything is removed
// and the environment restored when the object ends.

#include "tests/support/temp_dir.h"
#include "tests/support/file_text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

class CTempDrives
{
public:
    CTempDrives() : m_root(m_folder.Path())
    {
        for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "ZEPHYRANE_DRIVE_C", "ZEPHYRANE_DRIVE_D", "ZEPHYRANE_DRIVE_E"})
        {
            const char* value = std::getenv(name);
            m_saved[name] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
        }
        std::filesystem::create_directories(m_root + "/home");
        std::filesystem::create_directories(m_root + "/run");
        std::filesystem::create_directories(m_root + "/C");
        setenv("HOME", (m_root + "/home").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (m_root + "/run").c_str(), 1);
        setenv("ZEPHYRANE_DRIVE_C", (m_root + "/C").c_str(), 1);
        unsetenv("ZEPHYRANE_DRIVE_D");
        unsetenv("ZEPHYRANE_DRIVE_E");
    }

    ~CTempDrives()
    {
        for (const auto& [name, value] : m_saved)
        {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

    CTempDrives(const CTempDrives&) = delete;
    CTempDrives& operator=(const CTempDrives&) = delete;

    // The folder of a drive letter, ending with '/' (whether or not it is mapped).
    std::string Root(char drive) const { return m_root + "/" + drive + "/"; }

    // Maps D: or E: to an existing folder: a fixed disk.
    void AddFixedDisk(char drive)
    {
        std::filesystem::create_directories(Root(drive));
        setenv(DriveVariable(drive).c_str(), Root(drive).c_str(), 1);
    }

    // Maps D: or E: to a folder that does not exist: not a fixed disk.
    void AddMissingDisk(char drive)
    {
        setenv(DriveVariable(drive).c_str(), (m_root + "/absent-" + drive + "/").c_str(), 1);
    }

    // Writes a file below the temporary folder, creating its folders.
    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string ReadFile(const std::string& path) { return ReadFileBytes(path); }

private:
    static std::string DriveVariable(char drive) { return std::string("ZEPHYRANE_DRIVE_") + drive; }

    CTempDir m_folder;
    std::string m_root;
    std::map<std::string, std::optional<std::string>> m_saved;
};
