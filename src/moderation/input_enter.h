#pragma once

#include <string>

namespace morva {

class Chat;

// Enter in the input line. Returns false when the line is empty and the key is left to the box;
// otherwise sends the line, runs a slash line as a local command too, and empties the line. While no
// connection is up, a line that needs the server stays in the box and a line says it was not sent.
bool txtSend_Enter(Chat& chat, std::string& txtSend);

}  // namespace morva
