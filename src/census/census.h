#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/timer.h"

namespace morva {

class Chat;
struct LocalTime;

// The channel census: after a logon, one "/who" per listed channel, one tmrWhoChannel tick apart,
// then one census file per channel. A visit's capture window opens when its "/who" leaves the send
// queue, and the next visit waits until that window has closed.
class Census {
public:
    static constexpr int StepMs = 900;
    static constexpr int CaptureMs = 700;

    Census(Chat& chat, TimerFactory& timers);

    // After a logon: load the census channels and start visiting them, when there are any.
    void StartCensus();
    // The connection ended: nothing is written; the next logon starts over.
    void Stop();
    // One census step: ask the next channel, or write the census files after the last.
    void tmrWhoChannel_Timer();

    // Makes a folder below the profile folder; failures are ignored.
    void MakeFolder(const std::string& relativePath) const;
    // Makes "Channel Log Files", and in it a folder per census channel with today's date folder.
    void MakeLogFolders() const;
    // Writes one census file per channel.
    void WriteChannelLog() const;

    // Entry i: the channel name, then CR LF and each line captured for it.
    std::vector<std::string> ChannelLogList;
    // The next channel to visit.
    std::int16_t CensusIndex = 0;
    const Timer& timer() const { return *tmrWhoChannel; }

private:
    void visit(std::size_t entry);
    void capture(std::size_t entry, const std::string& text);
    void makeChannelFolders(const std::string& entry, const LocalTime& now) const;
    bool writeCensusFile(const std::string& entry) const;

    Chat& chat_;
    std::unique_ptr<Timer> tmrWhoChannel;
    // The last visit's "/who" is still in the send queue.
    bool waitingForWho_ = false;
};

}  // namespace morva
