#pragma once

#include <QStringList>

namespace morva {

class Chat;

// The names of the channel's members, in list order, as the window shows them: what an input line
// completes a word to.
QStringList MemberNames(const Chat& chat);

}  // namespace morva
