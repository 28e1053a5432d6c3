#include "scripts/scripts.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "chat/chat.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/files.h"
#include "settings/settings.h"

namespace morva {

namespace {

// The script files of the folder by name; names that start with "." are editors' and systems' own.
std::vector<std::filesystem::path> scriptFiles(const std::filesystem::path& folder, std::error_code& error) {
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.ends_with(".lua") && !name.starts_with(".") && it->is_regular_file())
            files.push_back(it->path());
    }
    std::ranges::sort(files, {}, [](const std::filesystem::path& path) { return path.filename().string(); });
    return files;
}

void tell(Chat& chat, Rgb color, const std::string& text) {
    AddChat(chat.output, {{color, text}});
}

}  // namespace

Scripts::Scripts(Chat& chat, TimerFactory& timers) : world_{chat, timers} {}

void Scripts::load() {
    scripts_.clear();
    waiting_.clear();
    Chat& chat = world_.chat;
    if (!chat.settings.BotConfig.ScriptsEnabled) return;
    const auto folder = chat.settings.ProfilePath("Scripts");
    std::error_code error;
    const auto files = scriptFiles(folder, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        tell(chat, ColorError,
             "Bot: The scripts in " + folder.string() + " could not be read: " + error.message() + ".");
        return;
    }
    for (const auto& path : files) loadFile(path);
    if (!scripts_.empty())
        tell(chat, ColorGrey,
             "Bot: " + std::to_string(scripts_.size()) + " script(s) running from " + folder.string() + ".");
}

void Scripts::loadFile(const std::filesystem::path& path) {
    const FileContent content = ReadWholeFile(path);
    const std::string fileName = path.filename().string();
    if (!content.bytes) {
        tell(world_.chat, ColorError,
             "Bot: Script " + fileName + " could not be read: " + content.error + ".");
        return;
    }
    auto script = std::make_unique<Script>(world_, fileName);
    if (script->load(*content.bytes)) scripts_.push_back(std::move(script));
}

void Scripts::notify(ScriptEvent event) {
    if (scripts_.empty()) return;
    waiting_.push_back(std::move(event));
    if (delivering_) return;
    delivering_ = true;
    while (!waiting_.empty()) {
        const ScriptEvent next = std::move(waiting_.front());
        waiting_.pop_front();
        for (const auto& script : scripts_) script->call(next);
    }
    delivering_ = false;
}

bool Scripts::offer(const ScriptEvent& event) {
    return std::ranges::any_of(scripts_, [&event](const auto& script) { return script->call(event); });
}

std::size_t Scripts::running() const {
    return static_cast<std::size_t>(
        std::ranges::count_if(scripts_, [](const auto& script) { return script->running(); }));
}

}  // namespace morva
