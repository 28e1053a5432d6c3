#pragma once

namespace morva {

class Chat;
struct ChatEvent;

// A whisper the bot received: to the whispers pane, the chat pane or the sender's window, then to the
// trigger commands.
void WhisperReceived(Chat& chat, const ChatEvent& e);
// The server's echo of a whisper the bot sent.
void WhisperSent(Chat& chat, const ChatEvent& e);

}  // namespace morva
