#pragma once

namespace morva {

class Bot;
struct EventLine;

// Event 1004: a whisper the bot received, to the whispers pane, the chat pane or the sender's window,
// then to the trigger commands.
void WhisperReceived(Bot& bot, const EventLine& e, int index);
// Event 1010: the server's echo of a whisper the bot sent.
void WhisperSent(Bot& bot, const EventLine& e);

}  // namespace morva
