// Profile (INI) functions: lookup without regard to case, the rest of the
// file kept as it was, deletions, numbers, and the file replaced atomically.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "windows.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("tarnex-ini-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "TALVERON32.INI").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void Write(const std::string& content) { std::ofstream(path, std::ios::binary) << content; }
    std::string Read() {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string Get(const char* section, const char* key, const char* def = "") {
        char buffer[256];
        GetPrivateProfileStringA(section, key, def, buffer, sizeof(buffer), path.c_str());
        return buffer;
    }

    std::filesystem::path dir;
    std::string path;
};

TEST_F(ProfileTest, FindsSectionsAndKeysWithoutRegardToCase) {
    Write(
        "; settings\r\n[General]\r\nDB_SIZE = 1234 \r\nName=\"quoted "
        "value\"\r\n[Other]\r\nDB_SIZE=9\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"General", "DB_SIZE", "1234"},     {"general", "db_size", "1234"},
        {"GENERAL", "Db_Size", "1234"},     {"General", "name", "quoted value"},
        {"other", "DB_SIZE", "9"},          {"General", "Missing", "fallback"},
        {"Nowhere", "DB_SIZE", "fallback"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Get(c.section, c.key, "fallback"), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(GetPrivateProfileIntA("general", "db_size", 7, path.c_str()), 1234u);
    EXPECT_EQ(GetPrivateProfileIntA("General", "Missing", 7, path.c_str()), 7u);
}

TEST_F(ProfileTest, WritingKeepsTheRestOfTheFile) {
    const std::string before =
        "; kept comment\r\n[Recent File List]\r\nFile1=/data/a.mdb\r\n\r\n[general]\r\n"
        "Db_Size=1\r\nOther=x\r\n";
    Write(before);
    ASSERT_TRUE(WritePrivateProfileStringA("General", "DB_SIZE", "-5", path.c_str()));
    EXPECT_EQ(Read(),
              "; kept comment\r\n[Recent File List]\r\nFile1=/data/a.mdb\r\n\r\n[general]\r\n"
              "Db_Size=-5\r\nOther=x\r\n");
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("General", "DB_SIZE", 0, path.c_str())), -5);

    // A new key goes to the end of its section, a new section to the end of the file.
    ASSERT_TRUE(
        WritePrivateProfileStringA("RECENT FILE LIST", "File2", "/data/b.mdb", path.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Settings", "PreviewPages", "1", path.c_str()));
    EXPECT_EQ(
        Read(),
        "; kept comment\r\n[Recent File List]\r\nFile1=/data/a.mdb\r\nFile2=/data/b.mdb\r\n\r\n"
        "[general]\r\nDb_Size=-5\r\nOther=x\r\n[Settings]\r\nPreviewPages=1\r\n");
}

TEST_F(ProfileTest, DeletesKeysAndSectionsAndListsNames) {
    Write("[A]\nk1=1\nk2=2\n[B]\nk=3\n");
    ASSERT_TRUE(WritePrivateProfileStringA("a", "K1", nullptr, path.c_str()));
    EXPECT_EQ(Read(), "[A]\nk2=2\n[B]\nk=3\n");
    ASSERT_TRUE(WritePrivateProfileStringA("b", nullptr, nullptr, path.c_str()));
    EXPECT_EQ(Read(), "[A]\nk2=2\n");

    char list[64];
    DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", list, sizeof(list), path.c_str());
    EXPECT_EQ(std::string(list, n), std::string("A\0", 2));
    n = GetPrivateProfileStringA("A", nullptr, "", list, sizeof(list), path.c_str());
    EXPECT_EQ(std::string(list, n), std::string("k2\0", 3));
}

TEST_F(ProfileTest, CreatesTheFileWhenNeededAndDeletingFromNothingWritesNothing) {
    ASSERT_TRUE(WritePrivateProfileStringA("Recent File List", "File1", nullptr, path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(WritePrivateProfileStringA("General", "DB_SIZE", "42", path.c_str()));
    EXPECT_EQ(Read(), "[General]\nDB_SIZE=42\n");
}

TEST_F(ProfileTest, WritesLeaveNoTemporaryFileAndAFailedWriteChangesNothing) {
    Write("[General]\nDB_SIZE=1\n");
    ASSERT_TRUE(WritePrivateProfileStringA("General", "DB_SIZE", "2", path.c_str()));
    // The profile cannot be replaced when its name is taken by a folder.
    std::string blocked = (dir / "blocked.ini").string();
    std::filesystem::create_directories(std::filesystem::path(blocked) / "inside");
    EXPECT_FALSE(WritePrivateProfileStringA("General", "DB_SIZE", "3", blocked.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"TALVERON32.INI", "blocked.ini"}));
    EXPECT_EQ(Read(), "[General]\nDB_SIZE=2\n");
}

TEST_F(ProfileTest, CutsLongValuesToTheBuffer) {
    Write("[S]\nk=abcdefgh\n");
    char buffer[5];
    EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", buffer, sizeof(buffer), path.c_str()), 4u);
    EXPECT_STREQ(buffer, "abcd");
}

}  // namespace
