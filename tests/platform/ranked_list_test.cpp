#include "platform/ranked_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace morva::testing {
namespace {

std::vector<int> items(const RankedList<int>& list) {
    return {list.begin(), list.end()};
}

// Every position and every slot agree with a plain vector of the same items.
void expectSameAs(const RankedList<int>& list, const std::vector<int>& model) {
    ASSERT_EQ(items(list), model);
    ASSERT_EQ(list.size(), model.size());
    for (std::size_t position = 0; position < model.size(); ++position) {
        const auto slot = list.slotAt(position);
        ASSERT_EQ(list.at(slot), model[position]);
        ASSERT_EQ(list.position(slot), position);
    }
}

// Removals at random places, some of them sweeping the holes out, between appends: the list keeps
// the order and the positions of a vector that erases in place.
TEST(RankedList, KeepsOrderAndPositionsThroughRemovalsAndSweeps) {
    std::mt19937 random(7);
    RankedList<int> list;
    std::vector<int> model;
    int next = 0;
    int sweeps = 0;
    for (int round = 0; round < 600; ++round) {
        // The list grows, then shrinks, then grows again.
        const int appends = static_cast<int>(random() % (round / 200 == 1 ? 2 : 4));
        for (int i = 0; i < appends; ++i) {
            list.push_back(next);
            model.push_back(next++);
        }
        if (!model.empty() && random() % 3 != 0) {
            const std::size_t position = random() % model.size();
            sweeps += list.erase(list.slotAt(position));
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(position));
        }
        expectSameAs(list, model);
    }
    EXPECT_GE(sweeps, 3) << "the sweep is part of what is checked";
}

TEST(RankedList, RemovingFromTheFrontEmptiesItAndItFillsAgain) {
    RankedList<int> list;
    for (int i = 0; i < 100; ++i) list.push_back(i);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(list[0], i);
        list.erase(list.slotAt(0));
    }
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.begin(), list.end());
    list.push_back(5);
    list.push_back(6);
    expectSameAs(list, {5, 6});
    list.clear();
    list.push_back(9);
    expectSameAs(list, {9});
}

}  // namespace
}  // namespace morva::testing
