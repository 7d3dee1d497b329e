// The local file of a download: nothing of the row's name leads out of the folder.
#include <gtest/gtest.h>

#include <string>

#include "update/UpdateFileName.h"

namespace morvek::update {
namespace {

struct NameCase {
    std::string name;
    const char* address;
    const char* file;
};

TEST(UpdateFileNameTest, RowNamesBecomeFileNamesInsideTheFolder) {
    const NameCase cases[] = {
        {"MP2", "https://u.example/files/mp2.bin", "MP2.bin"},
        {"AP", "https://u.example/files/morvek_0.2.0_amd64.deb?token=1#x", "AP.deb"},
        {"Morvek gaming keyboard", "https://u.example/download", "Morvek gaming keyboard.exe"},
        {"../../etc/passwd", "https://u.example/a.rpm", "etcpasswd.rpm"},
        {"..", "https://u.example/a.bin", "update.bin"},
        {"a\\b/c", "", "abc.exe"},
        {std::string("x\ny\0z", 5), "https://u.example/f.tar.gz", "xyz.gz"},
        {" .hidden", "https://u.example/f", "hidden.exe"},
        {"name", "https://u.example/f.sh;rm -rf", "name.exe"},
        {"name", "https://u.example.org", "name.exe"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LocalFileName(c.name, c.address), c.file);
    }
}

TEST(UpdateFileNameTest, LongNamesAreCutAtACharacterBoundary) {
    std::string name;
    for (int i = 0; i < 40; ++i) name += "\xc3\xa4";  // 80 bytes of two-byte characters
    const std::string file = LocalFileName(name, "https://u.example/f.bin");
    EXPECT_EQ(file, name.substr(0, 64) + ".bin");
    name = "a" + name;  // the cut would fall inside a character
    EXPECT_EQ(LocalFileName(name, "https://u.example/f.bin"), name.substr(0, 63) + ".bin");
}

}  // namespace
}  // namespace morvek::update
