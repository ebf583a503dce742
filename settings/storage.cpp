#include "settings/storage.h"

#include "platform/c_format.h"
#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/program_name.h"
#include "platform/text_file.h"
#include "settings/time_stamp.h"

namespace
{
const char* const kSettingsFolderName = "MySettings";
const char* const kLogsFolderName = "LOGS";
const char* const kOverrideFolderName = "MyDrives";
const char* const kOverrideFileName = "LOGS.INI";

std::string EndWithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string Trim(const std::string& text)
{
    const char* const blanks = " \t\v\f";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// <drive>/<name>/ when the drive is mapped, else the empty text.
std::string Candidate(char drive, const std::string& name)
{
    const std::string root = DriveRoot(drive);
    return root.empty() ? std::string() : root + name + "/";
}

bool MakeCandidate(const std::string& candidate)
{
    return MakeFolder(candidate) != EMakeFolder::Failed;
}

// The first existing LOGS folder of C:, D: and E:, the latter two only as fixed disks.
std::string FindLogsRoot()
{
    for (char drive : {'C', 'D', 'E'})
    {
        if (drive != 'C' && !IsFixedDisk(drive))
            continue;
        const std::string candidate = Candidate(drive, kLogsFolderName);
        if (FolderExists(candidate))
            return candidate;
    }
    std::string created;
    return FindOrCreateDataFolder(kLogsFolderName, created) ? created : std::string();
}
} // namespace

bool CreateFolderPath(const std::string& path)
{
    if (!IsAbsolutePath(path))
        return false;
    const std::string folder = EndWithSlash(path);
    // Each level in turn from the first below the root; a level that cannot be made is
    // passed over, since a later one may still exist.
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
        if (slash > 0 && folder[slash - 1] != '/')
            MakeFolder(folder.substr(0, slash + 1));
    return folder.size() > 1 && FolderExists(folder);
}

bool FindOrCreateDataFolder(const std::string& name, std::string& lastTried)
{
    lastTried = Candidate('C', name);
    if (FolderExists(lastTried))
        return true;
    for (char drive : {'D', 'E'})
    {
        if (!IsFixedDisk(drive))
            continue;
        lastTried = Candidate(drive, name);
        if (FolderExists(lastTried) || MakeCandidate(lastTried))
            return true;
    }
    lastTried = Candidate('C', name);
    return !lastTried.empty() && MakeCandidate(lastTried);
}

bool HasDataDrive()
{
    return !DriveRoot('C').empty() || IsFixedDisk('D') || IsFixedDisk('E');
}

std::string GetSettingsFolder(const std::string& subFolder)
{
    std::string folder;
    if (!FindOrCreateDataFolder(kSettingsFolderName, folder))
        return folder;
    folder += ProgramName() + "/";
    if (!subFolder.empty())
        folder += subFolder + "/";
    CreateFolderPath(folder);
    return folder;
}

std::optional<std::string> ReadLogsOverride()
{
    const std::string root = DriveRoot(SystemDrive());
    if (root.empty())
        return std::nullopt;
    const std::string folder = root + kOverrideFolderName + "/";
    // The folder is made so that the user finds where the override belongs.
    CreateFolderPath(folder);
    CTextFile file;
    if (!file.Open(folder + kOverrideFileName, CTextFile::EMode::Read))
        return std::nullopt;
    std::string line;
    file.ReadString(line);
    file.Close();
    std::string text;
    for (char c : line)
        if (c != '\r' && c != '\n')
            text += c;
    text = Trim(text);
    // Only an absolute path is taken: a relative one would land wherever the program
    // happens to run.
    if (!IsAbsolutePath(text))
        return std::nullopt;
    text = EndWithSlash(text);
    if (!CreateFolderPath(text))
        return std::nullopt;
    return text;
}

std::string GetLogsRoot()
{
    if (std::optional<std::string> overridden = ReadLogsOverride())
        return *overridden;
    return FindLogsRoot();
}

std::string GetLogFolder(const std::optional<std::string>& name, bool yearOnly)
{
    const std::string root = GetLogsRoot();
    if (!name || root.empty())
        return root;
    const SClockTime today = UtcNow();
    std::string folder = root + FormatC("%04d/", today.m_nYear);
    if (!yearOnly)
        folder += MonthName(today.m_nMonth) + "/";
    if (!name->empty())
        folder += *name + "/";
    CreateFolderPath(folder);
    return folder;
}
