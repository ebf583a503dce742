#pragma once
// The drives of the system and the few file-system operations that the storage rules
// need. Drive C: is the home folder ($HOME, or the folder named by ZEPHYRANE_DRIVE_C);
// D: and E: are the folders named by ZEPHYRANE_DRIVE_D and ZEPHYRANE_DRIVE_E. The drive
// that holds the operating system's own folder is C: as well. Paths use '/' and every
// folder path ends with '/'.

#include <string>

// The root folder of drive 'C', 'D' or 'E' (upper or lower case), ending with '/'; the
// empty text when the drive is not mapped.
std::string DriveRoot(char drive);

// A drive counts as a fixed disk when its variable names an existing, writable folder by
// an absolute path. C: is a fixed disk whenever it is mapped.
bool IsFixedDisk(char drive);

// The drive that holds the system folder (where the logs override lives): C:.
char SystemDrive();

// True when `path` names an existing folder.
bool FolderExists(const std::string& path);

enum class EMakeFolder
{
    Created,
    AlreadyExists,
    Failed
};

// Creates one folder (its parent must exist). A trailing '/' is allowed.
EMakeFolder MakeFolder(const std::string& path);

// Absolute paths begin with '/'.
bool IsAbsolutePath(const std::string& path);
