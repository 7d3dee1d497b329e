// Damaged, foreign and special files met by morvekctl: each class of input ends in a clear
// error or the sound behaviour, never in a crash, a hang, lost data or a failure called success.

#include <gtest/gtest.h>
#include <json/json.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "emulator/HexText.h"
#include "support/SourcePaths.h"
#include "support/TempFolder.h"

namespace morvek::cli {
namespace {

using test::CliRun;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A data folder, a copy of the shipped defaults and an emulator state file.
struct Folders {
    test::TempFolder root;

    Folders() { std::filesystem::copy(test::SourceDataDir(), root / "DefaultData"); }

    std::filesystem::path Data() const { return root / "data"; }
    std::filesystem::path Defaults() const { return root / "DefaultData"; }
    CliRun Run(const std::vector<std::string>& args, const std::string& emulate = "") const {
        std::vector<std::string> full = {"--data-dir", Data().string(), "--default-data", Defaults().string()};
        if (!emulate.empty()) {
            full.insert(full.end(), {"--emulate", emulate, "--emulator-state", (root / "state.json").string()});
        }
        full.insert(full.end(), args.begin(), args.end());
        return test::RunCli(full);
    }
    // The selected profile's document of a kind folder ("keyboard", "mouse", "MousePad", "HD").
    std::filesystem::path Document(const std::string& folder) const {
        const Json::Value list = test::ReadJson(Data() / folder / "ProfileList.ini");
        return Data() / folder / (list["profilelist"][list["profileselect"].asUInt()]["profileUUID"].asString() + ".Json");
    }
    std::vector<uint8_t> Params(const std::string& kind) const {
        const CliRun r = Run({"emulator", "dump", kind}, kind == "pad" ? "pad" : kind);
        return emulator::FromHex(test::ParseJson(r.out)[kind]["params"].asString()).value_or(std::vector<uint8_t>{});
    }
};

// A "profilename" of another type than text is no name: apply runs and shows an empty name.
TEST(DamagedFilesTest, ADocumentMemberOfTheWrongTypeReadsAsAbsent) {
    const struct {
        const char* kind;
        const char* folder;
        const char* emulate;
    } kinds[] = {{"keyboard", "keyboard", "keyboard"}, {"pad", "MousePad", "pad"}, {"mouse", "mouse", "mouse"}};
    for (const auto& k : kinds) {
        for (const char* name : {"[1, 2]", R"({"a": 1})", "3"}) {
            const Folders f;
            ASSERT_EQ(f.Run({"profile", "list", "--kind", k.kind}).status, 0);
            Json::Value document = test::ReadJson(f.Document(k.folder));
            document["profilename"] = test::ParseJson(name);
            WriteText(f.Document(k.folder), Json::StyledWriter().write(document));
            const CliRun r = f.Run({"apply", k.kind}, k.emulate);
            EXPECT_EQ(r.status, 0) << k.kind << " " << name << ": " << r.err;
            EXPECT_TRUE(Has(r.out, "load profile: \"\"\n")) << r.out;
        }
    }
}

// A FIFO in place of any file a command reads: the command refuses it and ends (opening a FIFO
// for reading waits for a writer; a hang here ends the test by ctest's time-out). A folder in
// place of the file is refused alike.
TEST(DamagedFilesTest, SpecialFilesInPlaceOfDataFilesAreRefusedWithoutWaiting) {
    struct Case {
        const char* what;
        std::string file;  // below the root; "DOCUMENT" is the mouse profile's document
        std::vector<std::string> args;
        std::string emulate;
        int status;
        const char* message;
    } cases[] = {
        {"profile list", "data/mouse/ProfileList.ini", {"profile", "list", "--kind", "mouse"}, "", 1, "not a regular file"},
        {"profile document", "DOCUMENT", {"apply", "mouse"}, "mouse", 1, "not a regular file"},
        {"macro list", "data/mouse/macro.config", {"macro", "list", "--kind", "mouse"}, "", 1, "not a regular file"},
        {"macro list at apply", "data/mouse/macro.config", {"apply", "mouse"}, "mouse", 1, "macro list"},
        {"shoot file", "data/mouse/ShootData_2.Shoot", {"shoot", "show", "2", "0"}, "", 1, "gun 2 has no shoot pattern"},
        {"audio library file", "data/osConfLib.json", {"headset", "eq", "3"}, "headset", 1, "audio library"},
        {"profile import", "in.json", {"profile", "import", "IN", "--kind", "mouse"}, "", 1, "not a profile document"},
        {"macro import", "in.json", {"macro", "import", "IN", "--kind", "mouse"}, "", 1, "not a macro file"},
        {"shoot import", "in.json", {"shoot", "import", "0", "IN"}, "", 1, "not a shoot pattern"},
    };
    for (const bool fifo : {true, false}) {
        for (const Case& c : cases) {
            const Folders f;
            ASSERT_EQ(f.Run({"profile", "list", "--kind", "mouse"}).status, 0);
            ASSERT_EQ(f.Run({"shoot", "show", "0", "0"}).status, 0);  // the user's shoot files
            const std::filesystem::path path = c.file == "DOCUMENT" ? f.Document("mouse") : f.root / c.file;
            std::filesystem::remove(path);
            if (fifo) ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
            else std::filesystem::create_directory(path);
            std::vector<std::string> args = c.args;
            for (std::string& a : args) {
                if (a == "IN") a = path.string();
            }
            const CliRun r = f.Run(args, c.emulate);
            EXPECT_EQ(r.status, c.status) << c.what << (fifo ? " (fifo)" : " (folder)") << ": " << r.out << r.err;
            // apply tells why on the failed step's line; its closing line names the step.
            const bool apply = c.args[0] == "apply" && r.err.find("the step ") != std::string::npos;
            EXPECT_TRUE(Has(apply ? r.out : r.err, c.message)) << c.what << ": " << r.out << r.err;
            EXPECT_EQ(std::filesystem::is_fifo(path), fifo) << c.what << ": left in place";
        }
    }
    // The emulator's state file.
    const Folders f;
    ASSERT_EQ(::mkfifo((f.root / "state.json").c_str(), 0600), 0);
    const CliRun r = f.Run({"devices"}, "mouse");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "cannot read the emulator state file")) << r.err;
}

// A damaged list is kept beside the new one and the user is told; the files it named stay.
TEST(DamagedFilesTest, DamagedListsAreKeptBesideTheNewOneAndTold) {
    struct Case {
        const char* list;  // below data/mouse
        std::vector<std::string> args;
    } cases[] = {
        {"ProfileList.ini", {"profile", "list", "--kind", "mouse"}},
        {"ProfileList.ini", {"dpi", "1", "900"}},
        {"macro.config", {"macro", "list", "--kind", "mouse"}},
        {"macro.config", {"macro", "add", "--kind", "mouse"}},
    };
    for (const Case& c : cases) {
        const Folders f;
        ASSERT_EQ(f.Run({"profile", "add", "--kind", "mouse"}).status, 0);
        ASSERT_EQ(f.Run({"macro", "add", "--kind", "mouse"}).status, 0);
        const std::filesystem::path list = f.Data() / "mouse" / c.list;
        const std::string text = test::ReadText(list);
        WriteText(list, text.substr(0, text.size() / 2));
        std::set<std::filesystem::path> before;
        for (const auto& e : std::filesystem::directory_iterator(f.Data() / "mouse")) before.insert(e.path());

        const CliRun r = f.Run(c.args, "mouse");
        EXPECT_EQ(r.status, 0) << c.list << ": " << r.err;
        EXPECT_TRUE(Has(r.err, "was damaged: it is kept as " + list.string() + ".damaged")) << r.err;
        EXPECT_EQ(test::ReadText(list.string() + ".damaged"), text.substr(0, text.size() / 2));
        for (const auto& path : before) {
            if (path != list) {
                EXPECT_TRUE(std::filesystem::exists(path)) << path << " stays";
            }
        }
        // Told once: the new list is sound.
        EXPECT_FALSE(Has(f.Run(c.args, "mouse").err, "damaged")) << c.list;
    }
}

// A profile document that cannot be read: apply reports the load as a failed step (exit 1),
// keeps the document beside itself and writes it anew with the profile's name and identity,
// so that it exports and imports again.
TEST(DamagedFilesTest, AnUnreadableDocumentIsAFailedLoadThatKeepsNameAndIdentity) {
    for (const bool cut : {true, false}) {
        const Folders f;
        ASSERT_EQ(f.Run({"profile", "rename", "Gaming", "--kind", "keyboard"}).status, 0);
        const std::filesystem::path document = f.Document("keyboard");
        const std::string uuid = document.stem().string();
        const std::string text = test::ReadText(document);
        const std::string damaged = cut ? text.substr(0, 1000) : "[\"not a profile\"]";
        WriteText(document, damaged);

        const CliRun r = f.Run({"apply", "keyboard"}, "keyboard");
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_TRUE(Has(r.out, "load profile: the profile document " + document.string() + " was damaged")) << r.out;
        EXPECT_TRUE(Has(r.out, "write settings: done")) << r.out;
        // Told once: the closing line names the step without repeating the message.
        const std::string told = r.out + r.err;
        EXPECT_EQ(told.find("was damaged"), told.rfind("was damaged")) << told;
        EXPECT_EQ(r.err, "morvekctl: the step \"load profile\" failed\n");
        EXPECT_EQ(test::ReadText(document.string() + ".damaged"), damaged);
        const Json::Value rewritten = test::ReadJson(document);
        EXPECT_EQ(rewritten["profilename"].asString(), "Gaming");
        EXPECT_EQ(rewritten["profileUUID"].asString(), uuid);

        EXPECT_EQ(f.Run({"apply", "keyboard"}, "keyboard").status, 0) << "the document is sound again";
        ASSERT_EQ(f.Run({"profile", "export", (f.root / "out.json").string(), "--kind", "keyboard"}).status, 0);
        const CliRun imported = f.Run({"profile", "import", (f.root / "out.json").string(), "--kind", "keyboard"});
        EXPECT_EQ(imported.status, 0) << imported.err;
        EXPECT_TRUE(Has(imported.out, "as \"Gaming(1)\"")) << imported.out;
    }
}

// Without the defaults a profile has no settings: the command says so and writes nothing to
// the device (the readers' zeros would switch every DPI stage off).
TEST(DamagedFilesTest, AProfileWithoutSettingsOrTemplateIsAClearErrorAndNoWrite) {
    const struct {
        const char* kind;
        std::vector<std::string> args;
    } cases[] = {{"mouse", {"dpi", "2", "1600"}}, {"mouse", {"apply", "mouse"}}, {"keyboard", {"apply", "keyboard"}},
                 {"pad", {"light", "pad", "--mode", "2"}}};
    for (const auto& c : cases) {
        const Folders f;
        std::filesystem::remove_all(f.Defaults());
        const std::vector<uint8_t> before = f.Params(c.kind);
        const CliRun r = f.Run(c.args, c.kind);
        EXPECT_EQ(r.status, 1) << c.kind;
        EXPECT_TRUE(Has(r.err, "has no settings and the default profile " + f.Defaults().string())) << r.err;
        EXPECT_EQ(f.Params(c.kind), before) << c.kind;
    }
}

// The audio library cannot keep its values (its file is a folder): every sound change fails,
// as mic and monitor do, and nothing claims the change is in the library.
TEST(DamagedFilesTest, ChangesTheAudioLibraryCannotKeepFail) {
    const std::vector<std::vector<std::string>> changes = {
        {"headset", "eq", "3"}, {"headset", "band", "2", "5"}, {"headset", "voice", "2"},
        {"headset", "voice", "on"}, {"headset", "mic", "30"}};
    for (const auto& args : changes) {
        const Folders f;
        std::filesystem::create_directories(f.Data() / "osConfLib.json");
        const CliRun r = f.Run(args, "headset");
        EXPECT_EQ(r.status, 1) << args[1];
        EXPECT_TRUE(Has(r.err, "the audio library did not take the change")) << r.err;
        EXPECT_FALSE(Has(r.out, "in the library")) << r.out;
    }
    // A library file nested beyond the reader's limit is a damaged one: the library starts
    // without its values and keeps new ones.
    const Folders f;
    std::filesystem::create_directories(f.Data());
    WriteText(f.Data() / "osConfLib.json", std::string(1001, '[') + std::string(1001, ']'));
    const CliRun r = f.Run({"headset", "eq", "3"}, "headset");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadJson(f.Data() / "osConfLib.json")["playback"]["Enable_EQ_GFX"].asInt(), 1);
}

// A damaged default shoot pattern is refused; the gun without a pattern is never shown or sent
// as zeros.
TEST(DamagedFilesTest, ADamagedDefaultShootPatternIsRefused) {
    const Folders f;
    const std::filesystem::path shipped = f.Defaults() / "ShootData_0.Shoot";
    WriteText(shipped, test::ReadText(shipped).substr(0, 300));
    const struct {
        std::vector<std::string> args;
        std::string emulate;
        std::string message;
    } cases[] = {
        {{"shoot", "show", "0", "0"}, "", "gun 0 has no shoot pattern"},
        {{"shoot", "set", "0", "0", "1", "2", "3"}, "", "gun 0 has no shoot pattern"},
        {{"shoot", "reset", "0"}, "", "the default pattern " + shipped.string() + " is damaged"},
        {{"shoot", "download"}, "mouse", "gun 0 has no shoot pattern"},
    };
    for (const auto& c : cases) {
        const CliRun r = f.Run(c.args, c.emulate);
        EXPECT_EQ(r.status, 1) << c.args[1];
        EXPECT_TRUE(Has(r.err, c.message)) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(f.Data() / "mouse" / "ShootData_0.Shoot"));
    EXPECT_EQ(f.Run({"shoot", "show", "1", "0"}).status, 0) << "the other guns are whole";
}

// DPI values are read as the edit box reads them, in decimal only.
TEST(DamagedFilesTest, DpiValuesAreDecimal) {
    const Folders f;
    for (const char* value : {"0x640", "1e3", "+800", " 800", "800 ", "-1", ""}) {
        const CliRun r = f.Run({"dpi", "2", value}, "mouse");
        EXPECT_EQ(r.status, 2) << "\"" << value << "\"";
        EXPECT_TRUE(Has(r.err, "decimal")) << r.err;
    }
    const CliRun r = f.Run({"dpi", "2", "1600"}, "mouse");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "stage 2       on  1600 DPI")) << r.out;
}

// File operands name what they are about, empty ones are refused, and a name with any white
// space or control character is refused as one with a blank.
TEST(DamagedFilesTest, FileOperandsAndNamesAreCheckedAsGiven) {
    const Folders f;
    ASSERT_EQ(f.Run({"macro", "add", "--kind", "mouse"}).status, 0);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {{"profile", "export", "/nonexistent/dir/x.json", "--kind", "mouse"}, 1, "cannot write /nonexistent/dir/x.json"},
        {{"macro", "export", "/nonexistent/dir/x.mac", "--kind", "mouse"}, 1, "cannot write /nonexistent/dir/x.mac"},
        {{"profile", "export", "", "--kind", "mouse"}, 2, "needs a FILE name"},
        {{"profile", "import", "", "--kind", "mouse"}, 2, "needs a FILE name"},
        {{"macro", "export", "", "--kind", "mouse"}, 2, "needs a FILE name"},
        {{"profile", "rename", "a\tb", "--kind", "mouse"}, 1, "cannot contain spaces"},
        {{"profile", "rename", "a\nb", "--kind", "mouse"}, 1, "cannot contain spaces"},
        {{"macro", "rename", "a\rb", "--kind", "mouse"}, 1, "cannot contain spaces"},
    };
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(f.root.Path());
    for (const Case& c : cases) {
        const CliRun r = f.Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.args[1];
        EXPECT_TRUE(Has(r.err, c.message)) << r.err;
    }
    std::filesystem::current_path(here);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.root.Path()), {}), 2) << "only data and DefaultData";
    EXPECT_EQ(f.Run({"profile", "list", "--kind", "mouse"}).out, "* 0  profile1\n");
}

}  // namespace
}  // namespace morvek::cli
