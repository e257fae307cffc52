// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "interpreter.hpp"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

using namespace quivra;

namespace {

// Keeps what a window would keep, so the copies a real window makes are counted.
class BenchView : public View {
public:
    std::string entry;
    std::string sceneText;
    std::string verdict;

    std::string_view readEntryText() override { return entry; }
    void writeSceneText(std::string_view text) override { sceneText = text; }
    void showSceneText(bool /*visible*/) override {}
    void writeVerdict(std::string_view text) override { verdict = text; }
    void showPicture(Picture /*picture*/, bool /*visible*/) override {}
};

void WrongPhraseTurn(benchmark::State& bench) {
    GameState state;
    BenchView view;
    view.entry = "Navegar hacia el sol";
    for (auto _ : bench) {
        playTurn(state, view);
        benchmark::DoNotOptimize(view.verdict.data());
    }
}
BENCHMARK(WrongPhraseTurn);

void LongestPassageTurn(benchmark::State& bench) {
    GameState state;
    BenchView view;
    for (auto _ : bench) {
        state.strEstado = "_4_2";
        playTurn(state, view);
        benchmark::DoNotOptimize(view.sceneText.data());
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * view.sceneText.size()));
}
BENCHMARK(LongestPassageTurn);

void LongestPlay(benchmark::State& bench) {
    const std::vector<std::string> walk = {"zarpar",
                                           "navegar hacia la balsa",
                                           "subir a la balsa",
                                           "navegar",
                                           "saltar al agua",
                                           "descansar",
                                           "acampar",
                                           "estudiar las conchas",
                                           "subir a la balsa",
                                           "",
                                           "",
                                           "",
                                           "",
                                           ""};
    BenchView view;
    for (auto _ : bench) {
        GameState state;
        for (const std::string& phrase : walk) {
            view.entry = phrase;
            playTurn(state, view);
        }
        benchmark::DoNotOptimize(state.strEstado.data());
    }
}
BENCHMARK(LongestPlay);

} // namespace
