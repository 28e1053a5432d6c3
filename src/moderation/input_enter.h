#pragma once

#include <string>

namespace morva {

class Chat;

// Enter in the input line. Returns false when the line is empty and the key is left to the box. A line
// that the layers above take (ChatHooks::InputTaken) is only emptied; any other is sent, a slash line
// run as a local command too, and emptied. While no connection is up, a line that needs the server
// stays in the box and a line says it was not sent.
bool txtSend_Enter(Chat& chat, std::string& txtSend);

}  // namespace morva
