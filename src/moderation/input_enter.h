#pragma once

#include <string>

namespace morva {

class Chat;

// Enter in the input line. Returns false when the line is empty and the key is left to the box;
// otherwise sends the line, runs a slash line as a local command too, and empties the line.
bool txtSend_Enter(Chat& chat, std::string& txtSend);

}  // namespace morva
