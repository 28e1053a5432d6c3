#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace morva {

FileContent ReadWholeFile(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return FileContent{std::nullopt, std::strerror(errno), errno == ENOENT};
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    const int error = std::ferror(file) != 0 ? (errno != 0 ? errno : EIO) : 0;
    std::fclose(file);
    if (error != 0) return FileContent{std::nullopt, std::strerror(error), false};
    return FileContent{std::move(bytes), {}, false};
}

namespace {

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t modeFor(const std::filesystem::path& path, mode_t newMode) {
    struct stat existing {};
    return ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : newMode;
}

constexpr std::string_view TemporaryMark = ".tmp-";
constexpr std::size_t TemporaryLetters = 6;

// The name ReplaceFileAtomically gives its temporary file: the file's own name, the mark, six letters.
bool IsTemporaryName(const std::string& name) {
    const std::size_t mark = name.size() - std::min(name.size(), TemporaryMark.size() + TemporaryLetters);
    return mark > 0 && name.compare(mark, TemporaryMark.size(), TemporaryMark) == 0;
}

}  // namespace

std::optional<std::string> ReplaceFileAtomically(const std::filesystem::path& path, const std::string& bytes,
                                                 mode_t newMode) {
    std::string temporary = path.string() + std::string(TemporaryMark) + std::string(TemporaryLetters, 'X');
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return std::strerror(errno);
    const bool written = ::fchmod(fd, modeFor(path, newMode)) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(temporary.c_str(), path.c_str()) == 0) return std::nullopt;
    const int error = !written ? writeError : errno;
    std::remove(temporary.c_str());
    return std::strerror(error);
}

std::optional<std::string> AppendToFile(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code made;
    std::filesystem::create_directories(path.parent_path(), made);
    if (made) return made.message();
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return std::strerror(errno);
    const bool written = writeAll(fd, bytes);
    const int error = errno;
    const bool closed = ::close(fd) == 0;
    if (written && closed) return std::nullopt;
    return std::strerror(written ? errno : error);
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code error;
    for (auto entry = std::filesystem::recursive_directory_iterator(folder, error);
         !error && entry != std::filesystem::recursive_directory_iterator(); entry.increment(error))
        if (entry->is_regular_file(error) && IsTemporaryName(entry->path().filename().string()))
            std::filesystem::remove(entry->path(), error);
}

}  // namespace morva
