#include <gtest/gtest.h>
#include <json/writer.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "profiles/JsonFile.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(JsonFileTest, WritesTheStyledLayoutByteForByte) {
    test::TempFolder folder;
    Json::Value v;
    v["profilename"] = "profile1";
    v["Device"][0]["LightInfo"]["Red"] = 255;
    v["Device"][0]["LightInfo"]["Blue"] = 7;
    v["list"].append(1);
    v["list"].append("zwei");
    ASSERT_EQ(WriteJsonFile(folder / "a.Json", v), 0);
    Json::StyledWriter writer;
    EXPECT_EQ(ReadText(folder / "a.Json"), writer.write(v));
    EXPECT_EQ(readjsonFile(folder / "a.Json"), v);
}

TEST(JsonFileTest, UnreadableFilesAreNullValues) {
    test::TempFolder folder;
    WriteText(folder / "empty.json", "");
    WriteText(folder / "broken.json", "{ \"a\": ");
    WriteText(folder / "deep.json", std::string(100000, '[') + std::string(100000, ']'));
    WriteText(folder / "comments.json", "// a comment\n{ \"a\": 1 /* more */ }\r\n");
    std::filesystem::create_directory(folder / "folder.json");
    {
        std::ofstream big(folder / "big.json", std::ios::binary);
        big << "[\"";
        big << std::string(kMaxJsonFileBytes, 'x');
        big << "\"]";
    }
    for (const char* name : {"missing.json", "empty.json", "broken.json", "deep.json", "folder.json", "big.json"}) {
        EXPECT_TRUE(readjsonFile(folder / name).isNull()) << name;
    }
    EXPECT_EQ(readjsonFile(folder / "comments.json")["a"].asInt(), 1);
}

// What a reader is told besides the value: the callers keep damaged files aside and refuse
// special files, so the classes must not be mixed up.
TEST(JsonFileTest, ReadStateTellsMissingDamagedAndSpecialFiles) {
    test::TempFolder folder;
    struct Case {
        std::string name;
        const char* text;  // nullptr: made below
        JsonFileState state;
    } cases[] = {
        {"missing.json", nullptr, JsonFileState::kMissing},
        {"object.json", R"({"a": 1})", JsonFileState::kRead},
        {"array.json", "[1]", JsonFileState::kRead},
        {"empty.json", "", JsonFileState::kDamaged},
        {"cut.json", R"({"profilelist": [{"profilename": "a")", JsonFileState::kDamaged},
        {"binary.json", "\x01\x02\xff", JsonFileState::kDamaged},
        {"deep.json", nullptr, JsonFileState::kDamaged},
        {"folder.json", nullptr, JsonFileState::kNotRegular},
        {"fifo.json", nullptr, JsonFileState::kNotRegular},
    };
    WriteText(folder / "deep.json", std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']'));
    std::filesystem::create_directory(folder / "folder.json");
    ASSERT_EQ(::mkfifo((folder / "fifo.json").c_str(), 0600), 0);
    for (const Case& c : cases) {
        if (c.text != nullptr) WriteText(folder / c.name, c.text);
        const JsonFileRead read = ReadJsonFile(folder / c.name);
        EXPECT_EQ(read.state, c.state) << c.name;
        EXPECT_EQ(read.value.isNull(), c.state != JsonFileState::kRead) << c.name;
    }
    // The nesting limit is the reader's, not the file's: the same text in memory.
    EXPECT_FALSE(ParseJsonText(std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']')));
    EXPECT_TRUE(ParseJsonText(std::string(kMaxJsonDepth - 1, '[') + std::string(kMaxJsonDepth - 1, ']')));
    EXPECT_EQ(ParseJsonText("null"), Json::Value());
}

// A document with comments (a user's edit) reads, and written back it reads again: comments
// are not carried into the written file, where the styled writer could close a bracket inside one.
TEST(JsonFileTest, CommentsAreReadPastAndNotWrittenBack) {
    test::TempFolder folder;
    // An end-of-line comment with a blank before the line break is the case the writer gets wrong.
    for (const char* text : {"{ \"a\" : \"x\", // note \n \"b\" : 1 // last \n}",
                             "[ 1, 2 // after the last element \n]", "// before\n{\"a\": [ 1 /* inside */ ]}"}) {
        const auto parsed = ParseJsonText(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        ASSERT_EQ(WriteJsonFile(folder / "back.json", *parsed), 0);
        const JsonFileRead back = ReadJsonFile(folder / "back.json");
        EXPECT_EQ(back.state, JsonFileState::kRead) << text;
        EXPECT_EQ(back.value, *parsed) << text;
        EXPECT_EQ(ReadText(folder / "back.json").find("//"), std::string::npos) << text;
    }
}

TEST(JsonFileTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
    test::TempFolder folder;
    Json::Value old;
    old["keep"] = true;
    ASSERT_EQ(WriteJsonFile(folder / "a.Json", old), 0);
    EXPECT_EQ(WriteJsonFile(folder / "missing-folder" / "a.Json", old), -1);

    // A folder that cannot take the temporary file: the write fails and the old file stays.
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    Json::Value replacement;
    replacement["keep"] = false;
    const int result = WriteJsonFile(folder / "a.Json", replacement);
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_all);
    if (::geteuid() != 0) {  // root writes anyway
        EXPECT_EQ(result, -1);
        EXPECT_TRUE(readjsonFile(folder / "a.Json")["keep"].asBool());
    }
    // No temporary file is left behind.
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++files;
    EXPECT_EQ(files, 1u);
}

}  // namespace
}  // namespace morvek
