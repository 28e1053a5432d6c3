#include "demo_script.h"

#include <QRandomGenerator>

#include <iterator>

#include "client.h"
#include "server.h"

namespace testserver {

namespace {

struct Member {
    const char* name;
    const char* product;  // as players know it; the wire carries it reversed
};

// The first one joins first and so holds operator status; the script never lets her leave.
constexpr Member Members[] = {
    {"Ashlynn", "W3XP"}, {"Brakka", "D2XP"}, {"Corvin", "STAR"}, {"Delphine", "CHAT"}, {"Ezio", "WAR3"},
};

enum class Kind { Talk, Emote, Whisper, Leave, Join };

struct Action {
    const char* member;
    Kind kind;
    const char* text;
};

// The liveliest lines come first, so that a newcomer sees talk, a link and a whisper at once.
constexpr Action Script[] = {
    {"Brakka", Kind::Talk, "Evening all! Tonight's patch notes: https://example.org/patch-notes"},
    {"Corvin", Kind::Whisper,
     "Hi there, welcome to Morva Demo! The ladder is at http://www.example.com/ladder"},
    {"Delphine", Kind::Emote, "waves at everyone"},
    {"Ezio", Kind::Leave, ""},
    {"Ashlynn", Kind::Talk, "Keep it friendly in here, folks."},
    {"Ezio", Kind::Join, ""},
    {"Ezio", Kind::Talk, "Sorry, my connection dropped. Anyone up for a 2v2?"},
    {"Corvin", Kind::Talk, "Ezio: after this match. Map pool: https://example.com/maps?season=3"},
    {"Delphine", Kind::Whisper, "Are you the channel bot? Your colours look great."},
    {"Brakka", Kind::Emote, "rolls a 17"},
    {"Delphine", Kind::Leave, ""},
    {"Ashlynn", Kind::Emote, "sets the topic: Morva Demo, a calm place to try things"},
    {"Delphine", Kind::Join, ""},
    {"Delphine", Kind::Talk, "back :)"},
    {"Ezio", Kind::Whisper, "Do you know when the cup starts? All I found was http://example.org/cup"},
    {"Brakka", Kind::Talk, "GG everyone, off to bed."},
    {"Brakka", Kind::Leave, ""},
    {"Corvin", Kind::Emote, "yawns"},
    {"Brakka", Kind::Join, ""},
    {"Brakka", Kind::Talk, "Couldn't sleep. Who's still around?"},
};

}  // namespace

DemoScript::DemoScript(Server& server, DemoPace pace) : server_(server), pace_(pace) {
    for (const Member& cast : Members) {
        const std::string product = cast.product;
        Client& member = server_.addVirtualMember(cast.name, std::string(product.rbegin(), product.rend()));
        server_.join(member, Channel);
        members_[cast.name] = &member;
    }
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
    timer_.start(nextPauseMs());
}

int DemoScript::nextPauseMs() const {
    return QRandomGenerator::global()->bounded(pace_.shortestMs, pace_.longestMs + 1);
}

void DemoScript::step() {
    const Action& action = Script[next_];
    next_ = (next_ + 1) % std::size(Script);
    timer_.start(nextPauseMs());
    Client& member = *members_.at(action.member);
    // A real logon under the member's name has taken it over: it is out of the play for good.
    if (!member.loggedOn) return;
    // A kick has moved it elsewhere: it stays quiet until its next turn to join brings it back.
    if (action.kind != Kind::Join && member.channel != Channel) return;
    switch (action.kind) {
        case Kind::Talk:
            server_.talk(member, action.text);
            break;
        case Kind::Emote:
            server_.command(member, std::string("/emote ") + action.text);
            break;
        case Kind::Whisper:
            for (const std::string& name : server_.connectedMembersOf(Channel))
                server_.command(member, "/w " + name + " " + action.text);
            break;
        case Kind::Leave:
            server_.leave(member);
            break;
        case Kind::Join:
            server_.join(member, Channel);
            break;
    }
}

}  // namespace testserver
