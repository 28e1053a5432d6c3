#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace morva {

// A script's own files live in Scripts/data/<script name>/ below the profile folder.
std::filesystem::path DataFolder(const std::filesystem::path& profileDir, const std::string& scriptName);

// Why a name cannot name a file of the data folder (it is empty, ".", or holds "/", ".." or NUL), or
// nothing when it can.
const char* DataNameProblem(std::string_view name);

// A data file as read: its bytes, missing, or the reason it could not be read.
struct DataFile {
    std::optional<std::string> bytes;
    bool missing = false;
    std::string error;
};

// A file larger than a script's memory cap is not read: the script could not hold it.
DataFile ReadDataFile(const std::filesystem::path& folder, std::string_view name);
// Writes the file atomically, making the folder when needed; the reason when it failed.
std::optional<std::string> WriteDataFile(const std::filesystem::path& folder, std::string_view name,
                                         std::string_view bytes);

}  // namespace morva
