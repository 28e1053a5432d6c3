#pragma once

#include <deque>
#include <string>

namespace morva {

class Bot;

// Chat lines waiting for the flood limit, and what went out lately.
struct SendQueueState {
    struct Waiting {
        int index;
        std::string line;
    };
    struct Sent {
        long long atMs;
        int units;
    };
    std::deque<Waiting> waiting;
    std::deque<Sent> sent;
};

// What a chat line costs against the flood limit: one unit per started 40 bytes, at least one.
int FloodUnits(const std::string& line);

// Sends a chat line now when the flood limit allows it, else queues it in order.
void QueueChat(Bot& bot, const std::string& line, int index);
// The flood timer's tick: sends what the limit allows now.
void tmrFlood_Timer(Bot& bot);
// A lost connection takes the waiting lines with it, with one line saying how many.
void DropQueuedChat(Bot& bot);

}  // namespace morva
