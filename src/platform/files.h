#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace morva {

// A whole file as read: its bytes, or the system's reason why it could not be read.
struct FileContent {
    std::optional<std::string> bytes;
    std::string error;     // "Permission denied", when there are no bytes
    bool missing = false;  // the file does not exist
};

FileContent ReadWholeFile(const std::filesystem::path& path);

// Replaces a file by new content so that no reader ever sees half of it: the bytes go to a
// temporary file beside it, which is then renamed over it. The new file keeps the mode of the one it
// replaces (a private file stays private); a file that did not exist gets newMode. On failure the file
// is unchanged and the system's reason is returned; on success nothing is.
std::optional<std::string> ReplaceFileAtomically(const std::filesystem::path& path, const std::string& bytes,
                                                 mode_t newMode = 0644);

// Appends bytes to a file, making it (and the folders above it) when missing. Returns the system's
// reason when it failed, nothing when it worked.
std::optional<std::string> AppendToFile(const std::filesystem::path& path, const std::string& bytes);

// Removes, in folder and below it, the temporary files of replacements that never finished (the
// program was killed between writing and renaming). Other files are left alone.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

}  // namespace morva
