#pragma once
// Where the system keeps its files. Settings live in <drive>/MySettings/<program name>/,
// logs under the logs root <drive>/LOGS/ in <year>/<Month>/ folders, and the first line
// of <system drive>/MyDrives/LOGS.INI, an absolute folder path, can send the logs
// elsewhere. Nothing is cached: every call looks at the drives and the override afresh
// and creates the folders that are missing. Every folder path ends with '/'.

#include <optional>
#include <string>

// Creates the missing folders of an absolute path, level by level, passing over levels it
// cannot create. True when the whole path exists as a folder afterwards; a relative path
// creates nothing and gives false.
bool CreateFolderPath(const std::string& path);

// Looks for <drive>/<name>/ on C:, then on the fixed disks D: and E: (creating it on the
// first of them that lacks it), and finally creates it on C:. `lastTried` holds the last
// candidate tried, found or not.
bool FindOrCreateDataFolder(const std::string& name, std::string& lastTried);

// Whether any drive can hold the data folders: C: is mapped (a usable home folder), or D:
// or E: is a fixed disk. Without one the program keeps no settings and no logs, and never
// falls back to the folder it runs in.
bool HasDataDrive();

// The settings folder of the program, and its sub-folder when one is named; created if
// missing. The empty text when no drive can hold it.
std::string GetSettingsFolder(const std::string& subFolder = "");

// The logs root: the override folder when it names an absolute path that exists or can be
// created; otherwise the first existing LOGS folder of C:, D:, E:, or a newly created one;
// the empty text when none can be had.
std::string GetLogsRoot();

// Without a name, the logs root. With a name: the logs root, the current UTC year and
// (unless `yearOnly`) month-name folders, and the name's folder when it is not empty;
// created if missing. The empty text when there is no logs root.
std::string GetLogFolder(const std::optional<std::string>& name = std::nullopt,
                         bool yearOnly = false);

// The override folder named by the logs override file, or nothing when the file is
// missing, its first line is blank or not an absolute path, or the folder cannot be made.
std::optional<std::string> ReadLogsOverride();
