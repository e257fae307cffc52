#include "game_state.hpp"
#include "story.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string_view>

using namespace quivra;

namespace {

std::map<std::string_view, std::vector<const Row*>> rowsByScene() {
    std::map<std::string_view, std::vector<const Row*>> scenes;
    for (const Row& row : storyTable()) {
        scenes[row.scene].push_back(&row);
    }
    return scenes;
}

TEST(StoryGraph, SixteenScenesHaveRowsAndSixTakeAnyPhrase) {
    const auto scenes = rowsByScene();
    EXPECT_EQ(scenes.size(), 16U);

    std::set<std::string_view> anyPhrase;
    for (const auto& [scene, rows] : scenes) {
        const bool takesAny = rows.front()->phrases.any();
        if (takesAny) {
            anyPhrase.insert(scene);
            EXPECT_EQ(rows.size(), 1U) << scene << " mixes any phrase with exact phrases";
        }
    }
    EXPECT_EQ(anyPhrase,
              (std::set<std::string_view>{"_2_0_1", "_4_0", "_4_1", "_4_2", "_4_3", "_4_4"}));
}

TEST(StoryGraph, RowsOfOneSceneStandTogether) {
    std::set<std::string_view> finished;
    std::string_view current;
    for (const Row& row : storyTable()) {
        if (row.scene != current) {
            EXPECT_TRUE(finished.insert(current).second || current.empty());
            EXPECT_FALSE(finished.contains(row.scene)) << row.scene << " is split in two";
            current = row.scene;
        }
    }
}

TEST(StoryGraph, OkLeadsOnAndFinLeadsToAnEnding) {
    const auto scenes = rowsByScene();
    for (const Row& row : storyTable()) {
        const bool nextHasRows = scenes.contains(row.next);
        if (row.verdict == kOk) {
            EXPECT_TRUE(nextHasRows) << row.scene << " -> " << row.next;
        } else {
            EXPECT_EQ(row.verdict, kFin);
            EXPECT_FALSE(nextHasRows) << row.scene << " -> " << row.next;
        }
    }
}

TEST(StoryGraph, PhrasesOfOneSceneAreDistinctAndNormalised) {
    for (const auto& [scene, rows] : rowsByScene()) {
        std::set<std::string_view> phrases;
        for (const Row* row : rows) {
            for (const std::string_view phrase : row->phrases.exact()) {
                EXPECT_TRUE(phrases.insert(phrase).second) << scene << ": " << phrase;
                EXPECT_FALSE(phrase.starts_with(' ') || phrase.ends_with(' ')) << phrase;
                EXPECT_EQ(
                    std::ranges::count_if(phrase, [](char c) { return c >= 'A' && c <= 'Z'; }), 0);
            }
        }
    }
}

TEST(StoryGraph, PictureRowsShowThePictureOfTheSceneTheyReach) {
    for (const Row& row : storyTable()) {
        if (row.show.kind == Display::Picture) {
            EXPECT_EQ(pictureOfScene(row.next), row.show.picture) << row.next;
            EXPECT_TRUE(row.narrative.empty()) << row.scene;
        } else {
            EXPECT_FALSE(row.narrative.empty()) << row.scene << " writes an empty scene text";
        }
    }
}

TEST(StoryGraph, EveryEndingIsReachableFromTheFirstScene) {
    const auto scenes = rowsByScene();
    std::set<std::string_view> reached{kFirstScene};
    std::vector<std::string_view> frontier{kFirstScene};
    while (!frontier.empty()) {
        const std::string_view scene = frontier.back();
        frontier.pop_back();
        if (const auto it = scenes.find(scene); it != scenes.end()) {
            for (const Row* row : it->second) {
                if (reached.insert(row->next).second) {
                    frontier.push_back(row->next);
                }
            }
        }
    }
    for (const auto& [scene, rows] : scenes) {
        EXPECT_TRUE(reached.contains(scene)) << scene;
    }
    const std::set<std::string_view> endings{"_1_0_1", "_2_0_2", "_2_1_1_1", "_2_2",
                                             "_3_0_2", "_3_1_2", "_4_6",     "_4_7_1"};
    for (const std::string_view ending : endings) {
        EXPECT_TRUE(reached.contains(ending)) << ending;
    }
    EXPECT_EQ(reached.size(), scenes.size() + endings.size());
}

} // namespace
