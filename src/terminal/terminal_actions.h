#pragma once

#include <string>

namespace morva {

class Bot;

// The window's menu entries, typed in the terminal as "//" and a word: //reconnect, //disconnect,
// //reload, //clear, //fav N, //quit, and //help, which lists them. Chat servers know no command
// that starts with two slashes and no chat line starts so by accident, so such a line never goes to
// the server. The word is read in any case; only //fav takes something after it. Returns whether the
// line was one (an unknown word or a stray argument is answered locally too).
bool RunTerminalAction(Bot& bot, const std::string& line);

}  // namespace morva
