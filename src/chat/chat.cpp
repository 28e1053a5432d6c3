#include "chat/chat.h"

#include "output/program_texts.h"

namespace morva {

Chat::Chat(Output& output, Settings& settings, Connection& connection, Shell& shell, MemberView& lvChannel,
           TimerFactory& timers)
    : output(output),
      settings(settings),
      connection(connection),
      shell(shell),
      lvChannel(lvChannel),
      capture(timers) {}

std::string Chat::LoggedInCaption() const {
    return std::string(TitleText) + "; Logged in as: " + CurrentName + " in channel " + CurrentChannel + ".";
}

}  // namespace morva
