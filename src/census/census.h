#pragma once

#include <string>

namespace morva {

class Bot;

// After a logon: load the census channels and start visiting them, when there are any.
void StartCensus(Bot& bot);
// One census step: ask the next channel with "/who", or write the census files after the last.
void tmrWhoChannel_Timer(Bot& bot);

// Makes a folder below the profile folder; failures are ignored.
void MakeFolder(Bot& bot, const std::string& relativePath);
// Makes "Channel Log Files", and in it a folder per census channel with today's date folder.
void MakeLogFolders(Bot& bot);
// Writes one census file per channel.
void WriteChannelLog(Bot& bot);

}  // namespace morva
