#pragma once

namespace morva {

class Settings;

// A first start: when the profile has no config.bot, writes one with every key, commented, with
// values that are safe to start with (no connecting at start, no server), and empty list files
// where there are none, then says where the file is and what to fill in. Returns whether it did.
bool MakeStarterProfile(Settings& settings);

// Warns of each key that config.bot holds in a section the program reads but that the program does
// not know (a misspelt "Usernme" would otherwise be silently ignored).
void ReportUnknownKeys(Settings& settings);

}  // namespace morva
