#include "ui/member_names.h"

#include "chat/chat.h"
#include "platform/display_text.h"

namespace morva {

QStringList MemberNames(const Chat& chat) {
    QStringList names;
    for (const Member& member : chat.ChannelUsers)
        names.append(QString::fromStdString(DisplayText(member.name)));
    return names;
}

}  // namespace morva
