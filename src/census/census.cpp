#include "census/census.h"

#include <filesystem>
#include <system_error>

#include "census/census_names.h"
#include "chat/chat.h"
#include "connection/connection.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/files.h"
#include "platform/folder_names.h"
#include "settings/profile.h"
#include "settings/settings.h"

namespace morva {

namespace {

const std::string LogFolder = "Channel Log Files";

// The channel's folder, relative to the profile folder.
std::filesystem::path channelFolder(const std::string& entry) {
    return std::filesystem::path(LogFolder) / SafeFolderName(CensusChannelName(entry));
}

}  // namespace

Census::Census(Chat& chat, TimerFactory& timers) : chat_(chat), tmrWhoChannel(timers.makeTimer()) {
    tmrWhoChannel->setInterval(StepMs);
    tmrWhoChannel->setOnTick([this] { tmrWhoChannel_Timer(); });
}

void Census::StartCensus() {
    if (chat_.settings.BotConfig.Channels == 0) return;
    ChannelLogList = ReadChannelLogList(chat_.settings);
    MakeLogFolders();
    CensusIndex = 0;
    waitingForWho_ = false;
    tmrWhoChannel->start();
}

void Census::Stop() {
    tmrWhoChannel->stop();
    waitingForWho_ = false;
}

// The census walks the list loaded at logon, not Channels: a reload of config.bot during the
// census may change Channels, and must not send the census past the end of its list.
void Census::tmrWhoChannel_Timer() {
    if (waitingForWho_ || chat_.capture.isOpen()) return;
    if (CensusIndex < 0 || CensusIndex >= static_cast<int>(ChannelLogList.size())) {
        tmrWhoChannel->stop();
        WriteChannelLog();
        return;
    }
    visit(static_cast<std::size_t>(CensusIndex++));
}

void Census::visit(std::size_t entry) {
    const std::string channel = CensusChannelName(ChannelLogList[entry]);
    chat_.capture.setInterval(CaptureMs);
    AddChat(chat_.output, {{ColorGrey, "Bot: Getting Channel Log: " + channel}});
    waitingForWho_ = true;
    const bool queued = chat_.connection.SendChat("/who " + channel + "\r\n", [this, entry] {
        waitingForWho_ = false;
        chat_.capture.open([this, entry](const std::string& text) { capture(entry, text); });
    });
    if (!queued) waitingForWho_ = false;
}

// Servers answer "/who" either with a bare header and the names on the lines after it, or with the
// names after the header's ": " on the same line.
void Census::capture(std::size_t entry, const std::string& text) {
    if (entry >= ChannelLogList.size()) return;
    std::string names = text;
    if (text.compare(0, 16, "Users in channel") == 0) {
        const std::size_t colon = text.find(": ");
        if (colon == std::string::npos || colon + 2 == text.size()) return;
        names = text.substr(colon + 2);
    }
    ChannelLogList[entry] += "\r\n" + names;
}

void Census::MakeFolder(const std::string& relativePath) const {
    std::error_code ignored;
    std::filesystem::create_directory(chat_.settings.ProfilePath(relativePath), ignored);
}

void Census::makeChannelFolders(const std::string& entry, const LocalTime& now) const {
    const auto folder = channelFolder(entry);
    MakeFolder(folder.string());
    MakeFolder((folder / DateText(now)).string());
}

void Census::MakeLogFolders() const {
    const LocalTime now = chat_.output.clock.now();
    MakeFolder(LogFolder);
    for (const auto& entry : ChannelLogList) makeChannelFolders(entry, now);
}

// The folders are made again here: a census that runs past midnight needs a date folder that did
// not exist when the list was loaded.
bool Census::writeCensusFile(const std::string& entry) const {
    const LocalTime now = chat_.output.clock.now();
    MakeFolder(LogFolder);
    makeChannelFolders(entry, now);
    const auto file = channelFolder(entry) / DateText(now) / (CensusTime(now) + ".txt");
    return !ReplaceFileAtomically(chat_.settings.ProfilePath(file.string()), entry + "\r\n");
}

void Census::WriteChannelLog() const {
    for (const auto& entry : ChannelLogList) {
        if (!writeCensusFile(entry)) {
            AddChat(chat_.output, {{ColorError, "Error in writing channels log files."}});
            return;
        }
    }
    AddChat(chat_.output, {{ColorStatus, "Bot: Getting Channels Log Done."}});
}

}  // namespace morva
