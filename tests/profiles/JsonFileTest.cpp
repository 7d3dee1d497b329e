#include <gtest/gtest.h>
#include <json/writer.h>

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
