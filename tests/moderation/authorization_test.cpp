// Who may command the bot, through the events a server delivers: every command word, said in the
// channel and whispered, by every kind of speaker, with and without operator status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat/channel_users.h"
#include "chat/event_processor.h"
#include "support/moderation_fixture.h"
#include "sessions/chat_event.h"

namespace morva {
namespace {

enum class Need { Access, Operator, Master };

struct Word {
    const char* message;
    Need need;
};

// Each argument is chosen so that an obeyed command leaves a mark: a line sent, the window shown or
// hidden, the program ended, a list or a setting changed.
const Word Words[] = {
    {"!bancount", Need::Operator},
    {"!show", Need::Access},
    {"!hide", Need::Access},
    {"!protect on", Need::Access},
    {"!unban Jim", Need::Access},
    {"!join Elsewhere", Need::Access},
    {"!op Jim", Need::Operator},
    {"!designate Jim", Need::Operator},
    {"!resign", Need::Operator},
    {"!say hello", Need::Access},
    {"!add Newbie", Need::Master},
    {"!remove Helper", Need::Master},
    {"!rem Helper", Need::Master},
    {"!safeadd Newbie", Need::Access},
    {"!saferem Friend", Need::Access},
    {"!saferemove Friend", Need::Access},
    {"!end", Need::Master},
    {"!crash", Need::Master},
    {"!quit", Need::Master},
    {"!settrigger #", Need::Master},
    {"!kick Jim", Need::Operator},
    {"!ban Jim", Need::Operator},
    {"!ver", Need::Access},
    {"!version", Need::Access},
    {"?trigger", Need::Access},
};

enum class Kind { Master, Access, Stranger };

struct Speaker {
    const char* name;
    Kind kind;
};

const Speaker Speakers[] = {
    {"Boss", Kind::Master},     {"bOSS", Kind::Master},  // the master in other letter case
    {"Helper", Kind::Access},   {"HELPER", Kind::Access},
    {"Friend", Kind::Stranger},                                // on the safe list only
    {"Joe", Kind::Stranger},    {"MorvaBot", Kind::Stranger},  // the bot's own account
    {"B*", Kind::Stranger},  // pattern characters match nothing in the access list
    {"?oss", Kind::Stranger},   {"*", Kind::Stranger},
    {"Help%", Kind::Stranger},  {"Boss ", Kind::Stranger},
    {"", Kind::Stranger},  // a broken event without a speaker
};

bool Obeyed(Kind kind, Need need, bool op) {
    switch (need) {
        case Need::Master:
            return kind == Kind::Master;
        case Need::Operator:
            return kind != Kind::Stranger && op;
        case Need::Access:
            break;
    }
    return kind != Kind::Stranger;
}

class Authorization : public testing::ModerationFixture {
protected:
    struct Marks {
        std::size_t sent;
        int ends;
        bool inTray;
        std::vector<std::string> access, safe;
        std::string trigger;
        bool protect;
        bool operator==(const Marks&) const = default;
    };
    Marks marks() const {
        return {sent().size(),          shell.ends,     shell.inTray,         bot.settings.AccesNames,
                bot.settings.SafeNames, config.Trigger, config.ChannelProtect};
    }
    // The lists, settings and window as a fresh fixture has them; "show" needs a hidden window to show.
    void reset(const Word& word) {
        bot.settings.AccesNames = {"Helper"};
        bot.settings.SafeNames = {"Friend"};
        config.Trigger = "!";
        config.ChannelProtect = false;
        shell.inTray = std::string(word.message) == "!show";
        shell.ends = 0;
    }
    void speak(EventId id, const Speaker& speaker, const Word& word) {
        ChatEvent event;
        event.id = id;
        event.name = speaker.name;
        event.flags = "0000";
        event.text = word.message;
        ProcessEventLine(bot.chat, event);
    }
};

TEST_F(Authorization, EveryWordRunsForExactlyTheSpeakersAllowedToGiveIt) {
    int obeyed = 0;
    for (const bool op : {false, true}) {
        ClearChannel(bot.chat);
        fillChannel(op);
        for (const EventId id : {EventId::Talk, EventId::Whisper})
            for (const Speaker& speaker : Speakers)
                for (const Word& word : Words) {
                    reset(word);
                    const Marks before = marks();
                    speak(id, speaker, word);
                    const bool expected = Obeyed(speaker.kind, word.need, op);
                    EXPECT_EQ(marks() != before, expected)
                        << '"' << word.message << "\" from \"" << speaker.name << "\""
                        << (id == EventId::Talk ? " in the channel" : " whispered")
                        << (op ? ", op" : ", no op");
                    obeyed += expected;
                }
    }
    EXPECT_GT(obeyed, 0);
}

TEST_F(Authorization, StrangersNeverMakeTheBotSendAnything) {
    fillChannel(true);
    config.ChannelProtect = false;
    for (const EventId id : {EventId::Talk, EventId::Whisper, EventId::Emote})
        for (const Speaker& speaker : Speakers)
            if (speaker.kind == Kind::Stranger)
                for (const Word& word : Words) speak(id, speaker, word);
    EXPECT_EQ(sent(), std::vector<std::string>{});
    EXPECT_EQ(shell.ends, 0);
}

}  // namespace
}  // namespace morva
