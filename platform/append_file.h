#pragma once

#include <string>
#include <string_view>

// Appends bytes to the end of a file, creating it when missing, so that either all of them
// arrive or none do: when the disk fills up part-way, the file is cut back to its former
// length. Returns true when every byte was written and the file closed cleanly; a relative
// path is never written.
bool AppendWholeToFile(const std::string& strPath, std::string_view bytes);
