// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The game's real window, timed through the handlers a player reaches: Enter in the entry
// box for three kinds of turn, and Open and Save of a progress file, with and without the
// window. Prints one table row per measure; the details go to stderr.

#include "controls.hpp"
#include "disk_files.hpp"
#include "frmQuivra.hpp"
#include "progress_file.hpp"
#include "scripted_dialogs.hpp"
#include "table.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <iostream>
#include <map>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// The window as a player has it: shown, its dialogs answered by a script.
class Game {
public:
    Game() {
        auto fake = std::make_unique<ScriptedDialogs>();
        dialogs = fake.get();
        window = std::make_unique<quivra::qt::frmQuivra>(std::move(fake));
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowExposed(window.get()) || !folder.isValid()) {
            std::cerr << "window_bench: the window was never shown\n";
            std::exit(1);
        }
        entry = window->findChild<QLineEdit*>(QStringLiteral("txtComando"));
        makeSaves();
    }

    // Types `phrase` and presses Enter, as the window tests do.
    void enter(const QString& phrase) {
        entry->setText(phrase);
        QTest::keyClick(entry, Qt::Key_Return);
    }

    // Everything the last turn changed is painted, as it is before a player's next key.
    void settle() {
        QCoreApplication::sendPostedEvents();
        window->repaint();
        QCoreApplication::processEvents();
    }

    void open(const std::string& path) {
        dialogs->files.emplace_back(path);
        window->cmdAbrirP_Click();
    }

    // Seconds spent in `timed`, the rest of the turn left out.
    template <typename Timed>
    static double seconds(Timed&& timed) {
        const auto start = Clock::now();
        timed();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    std::unique_ptr<quivra::qt::frmQuivra> window;
    ScriptedDialogs* dialogs = nullptr;
    QLineEdit* entry = nullptr;
    QTemporaryDir folder;
    std::string sirenFile; // a save made at "_4_2", one Enter before the longest passage
    std::string finalFile; // a save of the longest passage, the largest a save can be

private:
    // Plays to the picture before the longest passage and on to the passage, saving at both
    // through Save As.
    void makeSaves() {
        for (const char* phrase :
             {"construir barco", "arreglar problemas espirituales", "subir a la balsa", "", ""}) {
            enter(QString::fromUtf8(phrase));
        }
        sirenFile = saveAs(QStringLiteral("sirena.txt"));
        enter(QString());
        finalFile = saveAs(QStringLiteral("final.txt"));
        if (window->game().strEstado != "_4_3" || !dialogs->boxes.empty()) {
            std::cerr << "window_bench: could not save at _4_2 and _4_3\n";
            std::exit(1);
        }
    }

    std::string saveAs(const QString& name) {
        std::string path = folder.filePath(name).toStdString();
        dialogs->files.emplace_back(path);
        window->cmdSaveAs_Click();
        return path;
    }
};

Game* game = nullptr;

void WrongPhrase(benchmark::State& bench) {
    game->window->Form_Load();
    game->entry->setText(QStringLiteral("Navegar hacia el sol"));
    for (auto _ : bench) {
        game->settle();
        bench.SetIterationTime(Game::seconds([] { QTest::keyClick(game->entry, Qt::Key_Return); }));
    }
    if (game->window->game().strEstado != "_1_0" ||
        game->window->findChild<QLineEdit*>(QStringLiteral("txtOkOrNot"))->text() !=
            QStringLiteral("Equivocado")) {
        bench.SkipWithError("the phrase was not wrong");
    }
}

void FirstPassage(benchmark::State& bench) {
    for (auto _ : bench) {
        game->window->Form_Load();
        game->entry->setText(QStringLiteral("zarpar"));
        game->settle();
        bench.SetIterationTime(Game::seconds([] { QTest::keyClick(game->entry, Qt::Key_Return); }));
        if (game->window->game().strEstado != "_2_0") {
            bench.SkipWithError("zarpar did not sail");
            break;
        }
    }
}

void LongestPassage(benchmark::State& bench) {
    for (auto _ : bench) {
        game->open(game->sirenFile);
        game->settle();
        bench.SetIterationTime(Game::seconds([] { QTest::keyClick(game->entry, Qt::Key_Return); }));
        if (game->window->game().strEstado != "_4_3" ||
            QString::fromUtf8(game->window->sceneText().data()).size() != 3544) {
            bench.SkipWithError("the longest passage was not shown");
            break;
        }
    }
}

void OpenThroughTheWindow(benchmark::State& bench) {
    for (auto _ : bench) {
        game->settle();
        game->dialogs->files.emplace_back(game->finalFile);
        bench.SetIterationTime(Game::seconds([] { game->window->cmdAbrirP_Click(); }));
    }
    if (game->window->game().strEstado != "_4_3" || !game->dialogs->boxes.empty()) {
        bench.SkipWithError("the file did not open");
    }
}

void SaveThroughTheWindow(benchmark::State& bench) {
    game->open(game->finalFile);
    for (auto _ : bench) {
        game->settle();
        bench.SetIterationTime(Game::seconds([] { game->window->cmdSave_Click(); }));
    }
    if (!game->dialogs->boxes.empty()) {
        bench.SkipWithError("the file was not saved");
    }
}

void ReadProgress(benchmark::State& bench) {
    const std::filesystem::path path = game->finalFile;
    std::string bytes;
    for (auto _ : bench) {
        std::optional<quivra::Progress> progress;
        if (quivra::readFile(path, quivra::kMaxProgressBytes + 1, bytes) ==
            quivra::FileError::None) {
            progress = quivra::decodeProgress(bytes);
        }
        if (!progress) {
            bench.SkipWithError("the progress file could not be read");
            break;
        }
        benchmark::DoNotOptimize(progress->strRelato.data());
    }
}

void WriteProgress(benchmark::State& bench) {
    const std::filesystem::path path = game->folder.filePath(QStringLiteral("w.txt")).toStdString();
    std::string bytes;
    quivra::readFile(game->finalFile, quivra::kMaxProgressBytes + 1, bytes);
    const quivra::Progress progress = quivra::decodeProgress(bytes).value_or(quivra::Progress{});
    for (auto _ : bench) {
        if (quivra::writeFile(path, quivra::encodeProgress(progress)) != quivra::FileError::None) {
            bench.SkipWithError("the progress file could not be written");
            break;
        }
    }
}

constexpr int kRepetitions = 5;

// Each turn is timed alone, the painting between turns left out, so iterations are counted
// rather than the time they fill.
void registerAll() {
    const auto windowTimed = [](const char* name, void (*run)(benchmark::State&), int turns) {
        benchmark::RegisterBenchmark(name, run)
            ->UseManualTime()
            ->Iterations(turns)
            ->Repetitions(kRepetitions)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMicrosecond);
    };
    windowTimed("WrongPhrase", WrongPhrase, 2000);
    windowTimed("FirstPassage", FirstPassage, 400);
    windowTimed("LongestPassage", LongestPassage, 200);
    windowTimed("OpenThroughTheWindow", OpenThroughTheWindow, 200);
    windowTimed("SaveThroughTheWindow", SaveThroughTheWindow, 200);
    const auto fileTimed = [](const char* name, void (*run)(benchmark::State&)) {
        benchmark::RegisterBenchmark(name, run)
            ->Repetitions(kRepetitions)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMicrosecond);
    };
    fileTimed("ReadProgress", ReadProgress);
    fileTimed("WriteProgress", WriteProgress);
}

// Shows the usual report on stderr and keeps each median for the table.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                failed[run.run_name.function_name] = run.error_message;
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medianMs[run.run_name.function_name] = run.GetAdjustedRealTime() / 1000.0;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> medianMs;
    std::map<std::string, std::string> failed;
};

struct Goal {
    const char* benchmark;
    const char* measure;
    double underMs;
};

constexpr Goal kGoals[] = {
    {"WrongPhrase", "Turn, wrong phrase (Enter in the window)", 0.2},
    {"FirstPassage", "Turn, first passage, zarpar at _1_0", 2.0},
    {"LongestPassage", "Turn, longest passage, Enter at _4_2", 2.0},
    {"ReadProgress", "Open, readProgress", 1.0},
    {"WriteProgress", "Save, writeProgress, atomic replace", 1.0},
    {"OpenThroughTheWindow", "Open through the window (fake dialog)", 1.0},
    {"SaveThroughTheWindow", "Save through the window", 1.0},
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Game shown;
    game = &shown;
    registerAll();

    Collector collector;
    collector.SetOutputStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    bool allPass = true;
    for (const Goal& goal : kGoals) {
        const auto median = collector.medianMs.find(goal.benchmark);
        if (median == collector.medianMs.end()) {
            if (collector.failed.contains(goal.benchmark)) {
                printRow(goal.measure, "error", formatted("< %.1f ms", goal.underMs),
                         verdict(false));
                allPass = false;
            }
            continue; // filtered out
        }
        const bool pass = median->second < goal.underMs;
        allPass = allPass && pass;
        printRow(goal.measure, formatted("%.3f ms", median->second),
                 formatted(goal.underMs < 1 ? "< %.1f ms" : "< %.0f ms", goal.underMs),
                 verdict(pass));
    }
    return allPass ? 0 : 1;
}
