#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace morva {

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces a file by new content so that no reader ever sees half of it: the bytes go to a
// temporary file beside it, which is then renamed over it. On failure the file is unchanged.
bool ReplaceFileAtomically(const std::filesystem::path& path, const std::string& bytes);

}  // namespace morva
