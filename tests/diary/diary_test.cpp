#include "diary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

namespace quorvex {
namespace {

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class DiaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("diary-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "rigDiary").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    std::string path;
};

TEST_F(DiaryTest, CreatesThenAppendsAcrossRuns) {
    {
        Diary first(path);
        first.writeMessageToFile("one");
    }
    {
        Diary second(path);
        second.writeMessageToFile("two");
    }
    const auto lines = readLines(path);
    ASSERT_EQ(lines.size(), 2u);
    const std::regex stamp(R"(^\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}:==one$)");
    EXPECT_TRUE(std::regex_match(lines[0], stamp)) << lines[0];
    EXPECT_TRUE(lines[1].ends_with(":==two"));
}

TEST_F(DiaryTest, LinesFromManyThreadsNeverInterleave) {
    Diary diary(path);
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&diary, t] {
            const std::string message(200, static_cast<char>('a' + t));
            for (int i = 0; i < 300; ++i) diary.writeMessageToFile(message);
        });
    }
    for (auto& w : writers) w.join();
    const auto lines = readLines(path);
    ASSERT_EQ(lines.size(), 1200u);
    for (const auto& line : lines) {
        const auto message = line.substr(line.find(":==") + 3);
        ASSERT_EQ(message.size(), 200u);
        EXPECT_EQ(message.find_first_not_of(message[0]), std::string::npos);
    }
}

TEST_F(DiaryTest, UnwritablePlaceIsSilent) {
    Diary diary((dir / "missing" / "rigDiary").string());
    diary.writeMessageToFile("lost");
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST(DiaryPath, LivesInTheHomeFolder) {
    EXPECT_TRUE(GGEffectFunManager::defaultPath().ends_with("/rigDiary"));
    EXPECT_EQ(&GGEffectFunManager::shareManager(), &GGEffectFunManager::shareManager());
}

}  // namespace
}  // namespace quorvex
