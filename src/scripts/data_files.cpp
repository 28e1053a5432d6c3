#include "scripts/data_files.h"

#include <system_error>

#include "platform/files.h"
#include "scripts/sandbox.h"

namespace morva {

std::filesystem::path DataFolder(const std::filesystem::path& profileDir, const std::string& scriptName) {
    return profileDir / "Scripts" / "data" / scriptName;
}

const char* DataNameProblem(std::string_view name) {
    if (name.empty() || name == ".") return "a file name cannot be empty";
    if (name.find('/') != std::string_view::npos) return "a file name cannot hold \"/\"";
    if (name.find("..") != std::string_view::npos) return "a file name cannot hold \"..\"";
    if (name.find('\0') != std::string_view::npos) return "a file name cannot hold a NUL";
    return nullptr;
}

DataFile ReadDataFile(const std::filesystem::path& folder, std::string_view name) {
    const auto path = folder / name;
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > Sandbox::MemoryCap)
        return {std::nullopt, false, "it is larger than a script may hold"};
    FileContent content = ReadWholeFile(path);
    return {std::move(content.bytes), content.missing, std::move(content.error)};
}

std::optional<std::string> WriteDataFile(const std::filesystem::path& folder, std::string_view name,
                                         std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return error.message();
    return ReplaceFileAtomically(folder / name, std::string(bytes));
}

}  // namespace morva
