// The window's member list against plain items (text only) in the same widget type: N members added at the
// end, then removed in the order they came, with the list on screen and its layout run after each
// half. The member list must stay within a small factor of the plain items.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>

#include <memory>
#include <string>

#include "ui/member_list.h"

namespace morva {
namespace {

MemberRow Look(int i) {
    return {"member" + std::to_string(i), 1 + i % 8, "member" + std::to_string(i) + " (STAR)", std::nullopt,
            i % 10 == 0};
}

// The plain list gets the member list's one setting that changes the cost of a layout, so that the
// two differ only in their items.
template <typename List>
std::unique_ptr<List> ShownList() {
    auto list = std::make_unique<List>();
    list->setUniformItemSizes(true);
    list->resize(200, 600);
    list->show();
    QApplication::processEvents();
    return list;
}

void MemberListJoinLeave(benchmark::State& state) {
    const int members = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto list = ShownList<MemberList>();
        state.ResumeTiming();
        for (int i = 0; i < members; ++i) list->insertRow(i + 1, Look(i));
        QApplication::processEvents();
        const bool allListed = list->count() == members;
        for (int i = 0; i < members; ++i) list->removeRow(1);
        QApplication::processEvents();
        if (!allListed || list->count() != 0) state.SkipWithError("the list lost or kept rows");
    }
    state.SetItemsProcessed(state.iterations() * members * 2);
}

void PlainItemsJoinLeave(benchmark::State& state) {
    const int members = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto list = ShownList<QListWidget>();
        state.ResumeTiming();
        for (int i = 0; i < members; ++i) list->addItem(QString::fromStdString(Look(i).name));
        QApplication::processEvents();
        const bool allListed = list->count() == members;
        for (int i = 0; i < members; ++i) delete list->takeItem(0);
        QApplication::processEvents();
        if (!allListed || list->count() != 0) state.SkipWithError("the list lost or kept rows");
    }
    state.SetItemsProcessed(state.iterations() * members * 2);
}

BENCHMARK(MemberListJoinLeave)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainItemsJoinLeave)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morva

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
