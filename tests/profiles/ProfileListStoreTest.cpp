#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <set>

#include "ProfileFixtures.h"
#include "devicelink/DeviceKinds.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileListStore.h"
#include "profiles/TimeStampId.h"
#include "support/RenameWatch.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using test::ParseJson;

std::string Id(int n) {
    char text[32];
    std::snprintf(text, sizeof text, "2026_01_01_00_00_%02d_%03d", n / 1000, n % 1000);
    return text;
}

// A kind's profile folder below a data folder that does not exist yet, and its template.
struct Profiles {
    test::TempFolder root;
    std::filesystem::path folder;
    std::filesystem::path templatePath;
    ProfileListStore store;

    explicit Profiles(uint16_t kind = kKindKeyboard)
        : folder(ProfileFolder(root / "data", kind)),
          templatePath(ProfileTemplate(root.Path(), kind)),
          store(kind, folder, templatePath) {
        test::WriteJson(templatePath, test::TemplateDocument(FindDeviceKind(kind)->dataFolder));
    }

    // An existing list with these names (ids Id(0), Id(1), ...), each with its document.
    void Existing(const std::vector<std::string>& names, int select = 0) {
        std::filesystem::create_directories(folder);
        Json::Value list;
        for (size_t i = 0; i < names.size(); ++i) {
            Json::Value entry;
            entry["profilename"] = names[i];
            entry["profileUUID"] = Id(int(i));
            entry["profileislink"] = 0;
            entry["profilelinkmame"] = "";
            list["profilelist"].append(entry);
            Json::Value document = test::TemplateDocument("existing");
            document["profilename"] = names[i];
            document["profileUUID"] = Id(int(i));
            test::WriteJson(folder / (Id(int(i)) + ".Json"), document);
        }
        list["profileselect"] = select;
        test::WriteJson(ListPath(), list);
        ASSERT_EQ(store.LoadProfileList(), ProfileStatus::kOk);
    }

    std::filesystem::path ListPath() const { return folder / "ProfileList.ini"; }
    Json::Value List() const { return readjsonFile(ListPath()); }
    Json::Value Document(const std::string& uuid) const { return readjsonFile(folder / (uuid + ".Json")); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const ProfileEntry& e : store.Profiles()) names.push_back(e.name);
        return names;
    }
    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        const Json::Value list = List();
        for (const Json::Value& e : list["profilelist"]) names.push_back(e["profilename"].asString());
        return names;
    }
    size_t FileCount() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& f : std::filesystem::directory_iterator(folder)) ++n;
        return n;
    }
    // Every file in the folder holds exactly what the styled writer makes of it.
    void ExpectStyledFiles() const {
        for (const auto& f : std::filesystem::directory_iterator(folder))
            EXPECT_TRUE(test::IsStyledJson(f.path())) << f.path();
    }
};

TEST(ProfileListStoreTest, FirstStartMakesTheFoldersTheListAndProfile1FromTheTemplate) {
    Profiles p;
    ASSERT_FALSE(std::filesystem::exists(p.root / "data"));
    ASSERT_EQ(p.store.LoadProfileList(), ProfileStatus::kOk);

    const Json::Value list = p.List();
    ASSERT_EQ(list["profilelist"].size(), 1u);
    const Json::Value& entry = list["profilelist"][0];
    EXPECT_EQ(entry["profilename"].asString(), "profile1");
    EXPECT_EQ(entry["profileislink"], 0);
    EXPECT_EQ(entry["profilelinkmame"], "");
    EXPECT_EQ(list["profileselect"], 0);
    const std::string uuid = entry["profileUUID"].asString();
    EXPECT_TRUE(IsPlainTimeStampId(uuid)) << uuid;

    Json::Value expected = test::TemplateDocument("keyboard");
    expected["profilename"] = "profile1";
    expected["profileUUID"] = uuid;
    EXPECT_EQ(p.Document(uuid), expected);
    EXPECT_EQ(p.store.GetSelectedIndex(), 0);
    EXPECT_EQ(p.store.GetCurrentProfileUUID(), uuid);
    EXPECT_EQ(p.store.CurrentDocumentPath(), p.folder / (uuid + ".Json"));
    EXPECT_EQ(p.FileCount(), 2u);
    p.ExpectStyledFiles();

    // Loading again reads the same list and writes nothing new.
    ProfileListStore again(kKindKeyboard, p.folder, p.templatePath);
    ASSERT_EQ(again.LoadProfileList(), ProfileStatus::kOk);
    EXPECT_EQ(again.GetCurrentProfileUUID(), uuid);
    EXPECT_EQ(p.FileCount(), 2u);
}

TEST(ProfileListStoreTest, BrokenOrEmptyListsStartAnewAndMissingTemplatesGiveBareDocuments) {
    for (const char* text : {"", "not json", "[1]", R"({"profilelist": [], "other": 5})", R"({"profilelist": 3})"}) {
        Profiles p;
        std::filesystem::remove(p.templatePath);
        std::filesystem::create_directories(p.folder);
        test::WriteText(p.ListPath(), text);
        test::WriteText(p.folder / (Id(7) + ".Json"), "{}");  // an old document stays, unused
        ASSERT_EQ(p.store.LoadProfileList(), ProfileStatus::kOk) << text;
        EXPECT_EQ(p.FileNames(), std::vector<std::string>{"profile1"}) << text;
        const std::string uuid = p.store.GetCurrentProfileUUID();
        EXPECT_EQ(p.Document(uuid), ParseJson(R"({"profilename": "profile1", "profileUUID": ")" + uuid + "\"}"));
        EXPECT_TRUE(std::filesystem::exists(p.folder / (Id(7) + ".Json")));
        if (std::string(text).find("other") != std::string::npos) {
            EXPECT_EQ(p.List()["other"], 5);
        }
    }
}

// One case per class of damage: the list is kept beside the new one, byte for byte, and every
// document stays. A list that names nothing is replaced without keeping it.
TEST(ProfileListStoreTest, DamagedListsAreKeptBesideTheNewOne) {
    struct Case {
        const char* text;
        bool kept;
    } cases[] = {
        {R"({"profilelist": [{"profilename": "Gaming", "profileUUID": "2026_01_01_00_00_00_000"})", true},  // cut short
        {"", true},
        {"\x01\x02 binary", true},
        {R"([{"profilename": "Gaming"}])", true},  // not an object
        {R"({"profilelist": {"0": {}}})", true},     // "profilelist" of the wrong type
        {R"({"profilelist": []})", false},
        {"{}", false},
    };
    for (const Case& c : cases) {
        Profiles p;
        p.Existing({"Gaming", "Work"});
        test::WriteText(p.ListPath(), c.text);
        ProfileListStore store(kKindKeyboard, p.folder, p.templatePath);
        ASSERT_EQ(store.LoadProfileList(), ProfileStatus::kOk) << c.text;
        EXPECT_EQ(p.FileNames(), std::vector<std::string>{"profile1"}) << c.text;
        EXPECT_EQ(store.DamagedListKept().has_value(), c.kept) << c.text;
        if (c.kept) {
            EXPECT_EQ(*store.DamagedListKept(), p.folder / "ProfileList.ini.damaged");
            EXPECT_EQ(test::ReadText(p.folder / "ProfileList.ini.damaged"), c.text);
        } else {
            EXPECT_FALSE(std::filesystem::exists(p.folder / "ProfileList.ini.damaged")) << c.text;
        }
        EXPECT_EQ(p.Document(Id(0))["profilename"].asString(), "Gaming") << c.text;
        EXPECT_EQ(p.Document(Id(1))["profilename"].asString(), "Work") << c.text;
        // The new list is sound: the next load keeps nothing.
        ProfileListStore again(kKindKeyboard, p.folder, p.templatePath);
        ASSERT_EQ(again.LoadProfileList(), ProfileStatus::kOk);
        EXPECT_FALSE(again.DamagedListKept().has_value());
    }
}

// A folder or a FIFO in place of the list is neither read (a FIFO would block) nor replaced.
TEST(ProfileListStoreTest, AListThatIsNotAFileIsRefused) {
    for (const bool fifo : {false, true}) {
        Profiles p;
        std::filesystem::create_directories(p.folder);
        if (fifo) ASSERT_EQ(::mkfifo(p.ListPath().c_str(), 0600), 0);
        else std::filesystem::create_directory(p.ListPath());
        EXPECT_EQ(p.store.LoadProfileList(), ProfileStatus::kNotAFile) << fifo;
        EXPECT_EQ(p.store.GetSelectedIndex(), -1);
        EXPECT_EQ(p.FileCount(), 1u) << "nothing was written beside it";
        EXPECT_EQ(std::filesystem::is_fifo(p.ListPath()), fifo);
    }
}

// A profile's document is in place before the list names it, so a change cut short (a kill, a
// power loss) leaves at most a document no list names, never a listed profile without one.
TEST(ProfileListStoreTest, DocumentsAreInPlaceBeforeTheListNamesThem) {
    Profiles p;
    p.Existing({"a"});
    test::WriteJson(p.root / "in.json", ParseJson(R"({"profilename": "n", "profileUUID": "x", "Device": [{}]})"));
    const std::vector<std::pair<std::string, std::function<ProfileStatus()>>> operations = {
        {"add", [&] { return p.store.AddProfile(); }},
        {"copy", [&] { return p.store.CopyProfile(); }},
        {"import", [&] { return p.store.ImportProfile(p.root / "in.json"); }},
    };
    for (const auto& [name, run] : operations) {
        test::RenameWatch watch(p.folder);
        ASSERT_EQ(run(), ProfileStatus::kOk) << name;
        const std::string uuid = p.store.Profiles().back().uuid;
        EXPECT_EQ(watch.Arrivals(), (std::vector<std::string>{uuid + ".Json", "ProfileList.ini"})) << name;
    }
}

TEST(ProfileListStoreTest, AddTakesTheSmallestFreeNumberIgnoringCase) {
    struct Case {
        std::vector<std::string> names;
        std::string added;
    } cases[] = {
        {{"profile1", "profile3"}, "profile2"},
        {{"PROFILE1"}, "profile2"},
        {{"Profile2", "x"}, "profile1"},
        {{"profile1", "profile2"}, "profile3"},
    };
    for (const Case& c : cases) {
        Profiles p;
        p.Existing(c.names, 1 % int(c.names.size()));
        const int selected = p.store.GetSelectedIndex();
        ASSERT_EQ(p.store.AddProfile(), ProfileStatus::kOk);
        auto expected = c.names;
        expected.push_back(c.added);
        EXPECT_EQ(p.FileNames(), expected);
        EXPECT_EQ(p.Names(), expected);
        // The stored selection names the new profile; the current selection stays.
        EXPECT_EQ(p.List()["profileselect"].asInt(), int(c.names.size()));
        EXPECT_EQ(p.store.GetSelectedIndex(), selected);
        const std::string uuid = p.store.Profiles().back().uuid;
        EXPECT_EQ(p.Document(uuid)["profilename"].asString(), c.added);
        EXPECT_EQ(p.Document(uuid)["shipped"].asString(), "keyboard");
        p.ExpectStyledFiles();
    }
}

TEST(ProfileListStoreTest, IdentitiesMadeInQuickSuccessionDiffer) {
    Profiles p;
    ASSERT_EQ(p.store.LoadProfileList(), ProfileStatus::kOk);
    for (int i = 0; i < 6; ++i) ASSERT_EQ(p.store.AddProfile(), ProfileStatus::kOk);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(p.store.CopyProfile(), ProfileStatus::kOk);
    std::set<std::string> ids;
    for (const ProfileEntry& e : p.store.Profiles()) {
        EXPECT_TRUE(ids.insert(e.uuid).second) << e.uuid;
        EXPECT_EQ(p.Document(e.uuid)["profilename"].asString(), e.name);
    }
    EXPECT_EQ(ids.size(), 10u);
    EXPECT_EQ(p.FileCount(), 11u);
}

TEST(ProfileListStoreTest, AddStopsAtFiftyButCopyAndImportGoBeyond) {
    Profiles p;
    std::vector<std::string> names;
    for (int i = 1; i <= 50; ++i) names.push_back("p" + std::to_string(i));
    p.Existing(names);
    const std::string listBefore = test::ReadText(p.ListPath());
    EXPECT_EQ(p.store.AddProfile(), ProfileStatus::kListFull);
    EXPECT_EQ(test::ReadText(p.ListPath()), listBefore);
    EXPECT_EQ(p.FileCount(), 51u);

    ASSERT_EQ(p.store.CopyProfile(), ProfileStatus::kOk);
    EXPECT_EQ(p.store.Profiles().size(), 51u);
    test::WriteJson(p.root / "in.json", ParseJson(R"({"profilename": "p1", "profileUUID": "x"})"));
    ASSERT_EQ(p.store.ImportProfile(p.root / "in.json"), ProfileStatus::kOk);
    EXPECT_EQ(p.store.Profiles().size(), 52u);
    EXPECT_EQ(p.store.AddProfile(), ProfileStatus::kListFull);
}

TEST(ProfileListStoreTest, DeleteSelectsTheProfileBeforeAndRemovesTheDocument) {
    struct Case {
        int selected;
        int stored;
        std::vector<std::string> left;
    } cases[] = {
        {0, 0, {"b", "c", "d"}},
        {3, 2, {"a", "b", "c"}},
        {1, 0, {"a", "c", "d"}},
    };
    for (const Case& c : cases) {
        Profiles p;
        p.Existing({"a", "b", "c", "d"}, c.selected);
        const std::string removed = Id(c.selected);
        ASSERT_EQ(p.store.DeleteProfile(), ProfileStatus::kOk);
        EXPECT_EQ(p.FileNames(), c.left);
        EXPECT_EQ(p.List()["profileselect"].asInt(), c.stored);
        EXPECT_EQ(p.store.GetSelectedIndex(), c.stored);
        EXPECT_EQ(p.store.GetCurrentProfileUUID(), p.store.Profiles()[size_t(c.stored)].uuid);
        EXPECT_FALSE(std::filesystem::exists(p.folder / (removed + ".Json")));
        EXPECT_EQ(p.FileCount(), 4u);
    }
    Profiles last;
    last.Existing({"only"});
    EXPECT_EQ(last.store.DeleteProfile(), ProfileStatus::kLastProfile);
    EXPECT_TRUE(std::filesystem::exists(last.folder / (Id(0) + ".Json")));
}

TEST(ProfileListStoreTest, CopyAppendsCopyUntilTheNameIsFree) {
    Profiles p;
    p.Existing({"A", "A copy", "b"});
    Json::Value source = p.Document(Id(0));
    source["Device"][0]["LightInfo"]["Red"] = 1;
    test::WriteJson(p.folder / (Id(0) + ".Json"), source);

    ASSERT_EQ(p.store.CopyProfile(), ProfileStatus::kOk);
    ASSERT_EQ(p.store.CopyProfile(), ProfileStatus::kOk);
    EXPECT_EQ(p.FileNames(), (std::vector<std::string>{"A", "A copy", "b", "A copy copy", "A copy copy copy"}));
    EXPECT_EQ(p.List()["profileselect"].asInt(), 0);
    const ProfileEntry copy = p.store.Profiles()[3];
    Json::Value expected = source;
    expected["profilename"] = "A copy copy";
    expected["profileUUID"] = copy.uuid;
    EXPECT_EQ(p.Document(copy.uuid), expected);
    p.ExpectStyledFiles();
}

TEST(ProfileListStoreTest, ImportAppendsNumberedSuffixesAndKeepsTheContent) {
    Profiles p;
    p.Existing({"A", "b"}, 1);
    Json::Value imported = ParseJson(R"({"profilename": "A", "profileUUID": "../../elsewhere",
                                         "Device": [{"LightInfo": {"Red": 77}}], "extra": [1, 2]})");
    test::WriteJson(p.root / "a.json", imported);

    ASSERT_EQ(p.store.ImportProfile(p.root / "a.json"), ProfileStatus::kOk);
    ASSERT_EQ(p.store.ImportProfile(p.root / "a.json"), ProfileStatus::kOk);
    EXPECT_EQ(p.FileNames(), (std::vector<std::string>{"A", "b", "A(1)", "A(1)(2)"}));
    EXPECT_EQ(p.List()["profileselect"].asInt(), 1);
    const ProfileEntry entry = p.store.Profiles()[3];
    EXPECT_TRUE(IsPlainTimeStampId(entry.uuid));
    Json::Value expected = imported;
    expected["profilename"] = "A(1)(2)";
    expected["profileUUID"] = entry.uuid;
    EXPECT_EQ(p.Document(entry.uuid), expected);
    p.ExpectStyledFiles();

    const std::string listBefore = test::ReadText(p.ListPath());
    const size_t filesBefore = p.FileCount();
    for (const char* text : {"not json", "[]", R"({"profilename": "x"})", R"({"profileUUID": "x"})",
                             R"({"profilename": 5, "profileUUID": "x"})"}) {
        test::WriteText(p.root / "bad.json", text);
        EXPECT_EQ(p.store.ImportProfile(p.root / "bad.json"), ProfileStatus::kNotAProfile) << text;
    }
    EXPECT_EQ(p.store.ImportProfile(p.root / "missing.json"), ProfileStatus::kNotAProfile);
    EXPECT_EQ(test::ReadText(p.ListPath()), listBefore);
    EXPECT_EQ(p.FileCount(), filesBefore);
}

TEST(ProfileListStoreTest, ExportWritesTheSelectedDocumentStyled) {
    Profiles p;
    p.Existing({"a", "b"}, 1);
    test::WriteText(p.folder / (Id(1) + ".Json"), R"({"profilename":"b","profileUUID":")" + Id(1) + R"(","z":1})");
    ASSERT_EQ(p.store.ExportProfile(p.root / "out.json"), ProfileStatus::kOk);
    EXPECT_EQ(readjsonFile(p.root / "out.json"), p.Document(Id(1)));
    EXPECT_TRUE(test::IsStyledJson(p.root / "out.json"));
    EXPECT_EQ(p.store.ExportProfile(p.root / "no-folder" / "out.json"), ProfileStatus::kWriteFailed);
    std::filesystem::remove(p.folder / (Id(1) + ".Json"));
    EXPECT_EQ(p.store.ExportProfile(p.root / "out2.json"), ProfileStatus::kNoDocument);
    EXPECT_FALSE(std::filesystem::exists(p.root / "out2.json"));
}

TEST(ProfileListStoreTest, ResetRestoresTheTemplateAndTheHeadsetKeepsItsUserEqualisers) {
    for (const uint16_t kind : {kKindKeyboard, kKindMousePad, kKindHeadset}) {
        Profiles p(kind);
        p.Existing({"mine"});
        Json::Value document = p.Document(Id(0));
        document["Device"][0]["LightInfo"]["Red"] = 1;
        document["Device"][0]["CustomEQNameInfo"] = ParseJson(R"([{"Name": "Bass"}])");
        document["Device"][0]["CustomEQHzValueInfo"][0][0]["value"] = 6;
        test::WriteJson(p.folder / (Id(0) + ".Json"), document);

        ASSERT_EQ(p.store.ResetProfile(), ProfileStatus::kOk);
        Json::Value expected = test::TemplateDocument(FindDeviceKind(kind)->dataFolder);
        expected["profilename"] = "mine";
        expected["profileUUID"] = Id(0);
        if (kind == kKindHeadset) {
            expected["Device"][0]["CustomEQNameInfo"] = document["Device"][0]["CustomEQNameInfo"];
            expected["Device"][0]["CustomEQHzValueInfo"] = document["Device"][0]["CustomEQHzValueInfo"];
        }
        EXPECT_EQ(p.Document(Id(0)), expected) << FindDeviceKind(kind)->dataFolder;
        EXPECT_EQ(p.FileNames(), std::vector<std::string>{"mine"});
    }

    // A headset profile without user equalisers gets none from the reset.
    Profiles headset(kKindHeadset);
    headset.Existing({"mine"});
    Json::Value bare = ParseJson(R"({"profilename": "mine", "Device": [{}]})");
    test::WriteJson(headset.folder / (Id(0) + ".Json"), bare);
    ASSERT_EQ(headset.store.ResetProfile(), ProfileStatus::kOk);
    EXPECT_FALSE(headset.Document(Id(0))["Device"][0].isMember("CustomEQHzValueInfo"));
    EXPECT_EQ(headset.Document(Id(0))["Device"][0]["CustomEQNameInfo"], Json::Value(Json::arrayValue));

    // Without the template the profile is left as it is.
    std::filesystem::remove(headset.templatePath);
    const std::string before = test::ReadText(headset.folder / (Id(0) + ".Json"));
    EXPECT_EQ(headset.store.ResetProfile(), ProfileStatus::kNoTemplate);
    EXPECT_EQ(test::ReadText(headset.folder / (Id(0) + ".Json")), before);
}

TEST(ProfileListStoreTest, RenameRulesAndTheirMessages) {
    struct Case {
        std::string name;
        ProfileStatus status;
        const char* messageKey;
    } cases[] = {
        {"Beta", ProfileStatus::kOk, nullptr},       // its own name
        {"BETA", ProfileStatus::kOk, nullptr},       // its own name in other case
        {"Gamma", ProfileStatus::kOk, nullptr},
        {"alpha", ProfileStatus::kNameTaken, "message_text_5"},
        {"\xc3\xa4rger", ProfileStatus::kNameTaken, "message_text_5"},  // "ärger" against "Ärger"
        {"", ProfileStatus::kNameEmpty, "message_text_5_1"},
        {"two words", ProfileStatus::kNameHasBlank, "message_text_5_2"},
        // Any other white space or control character would break a list of one name a line.
        {"two\twords", ProfileStatus::kNameHasBlank, "message_text_5_2"},
        {"two\nlines", ProfileStatus::kNameHasBlank, "message_text_5_2"},
        {"cr\r", ProfileStatus::kNameHasBlank, "message_text_5_2"},
        {"bell\x07", ProfileStatus::kNameHasBlank, "message_text_5_2"},
        {"wide\xe3\x80\x80space", ProfileStatus::kNameHasBlank, "message_text_5_2"},  // U+3000
    };
    for (const Case& c : cases) {
        Profiles p;
        p.Existing({"Alpha", "Beta", "\xc3\x84rger"}, 1);
        const std::string listBefore = test::ReadText(p.ListPath());
        EXPECT_EQ(p.store.RenameProfile(c.name), c.status) << c.name;
        const char* key = ProfileMessageKey(c.status);
        EXPECT_EQ(key == nullptr ? std::string("none") : std::string(key),
                  c.messageKey == nullptr ? std::string("none") : std::string(c.messageKey));
        if (c.status == ProfileStatus::kOk) {
            EXPECT_EQ(p.FileNames()[1], c.name);
            EXPECT_EQ(p.Names()[1], c.name);
            EXPECT_EQ(p.Document(Id(1))["profilename"].asString(), c.name);
            EXPECT_EQ(p.Document(Id(1))["profileUUID"].asString(), Id(1));
            p.ExpectStyledFiles();
        } else {
            EXPECT_EQ(test::ReadText(p.ListPath()), listBefore);
            EXPECT_EQ(p.Document(Id(1))["profilename"].asString(), "Beta");
        }
    }
}

TEST(ProfileListStoreTest, IdentitiesThatAreNotPlainIdsNameNoFile) {
    Profiles p;
    // "../../x" from the kind's folder is root/x.Json: it must never be read, written or deleted.
    const std::filesystem::path outside = p.root / "x.Json";
    const std::string sentinel = R"({"profilename": "secret", "Device": [{"LightInfo": {"Red": 99}}]})";
    test::WriteText(outside, sentinel);
    p.Existing({"good", "bad"});
    Json::Value list = p.List();
    list["profilelist"][1]["profileUUID"] = "../../x";
    test::WriteJson(p.ListPath(), list);
    ASSERT_EQ(p.store.SelectProfile(1), ProfileStatus::kOk);
    EXPECT_EQ(p.store.GetCurrentProfileUUID(), "../../x");
    EXPECT_FALSE(p.store.CurrentDocumentPath().has_value());

    EXPECT_EQ(p.store.ExportProfile(p.root / "out.json"), ProfileStatus::kNoDocument);
    EXPECT_EQ(p.store.ResetProfile(), ProfileStatus::kNoDocument);
    ASSERT_EQ(p.store.RenameProfile("renamed"), ProfileStatus::kOk);
    ASSERT_EQ(p.store.CopyProfile(), ProfileStatus::kOk);
    const std::string copy = p.store.Profiles().back().uuid;
    EXPECT_FALSE(p.Document(copy).isMember("Device")) << "the copy read nothing";
    ASSERT_EQ(p.store.DeleteProfile(), ProfileStatus::kOk);
    EXPECT_EQ(p.FileNames(), (std::vector<std::string>{"good", "renamed copy"}));
    EXPECT_EQ(test::ReadText(outside), sentinel);
    EXPECT_EQ(ProfileDocument(p.folder, "2026_01_01_00_00_00_000/../../x"), std::nullopt);
}

TEST(ProfileListStoreTest, FailedWritesAreReportedAndLeaveNothingHalfDone) {
    Profiles p;
    p.Existing({"a", "b", "c"}, 1);
    const std::vector<std::string> names = p.Names();
    // A folder where the list file should be: every list write fails from now on.
    std::filesystem::remove(p.ListPath());
    std::filesystem::create_directory(p.ListPath());
    const size_t files = p.FileCount();

    EXPECT_EQ(p.store.AddProfile(), ProfileStatus::kWriteFailed);
    EXPECT_EQ(p.store.CopyProfile(), ProfileStatus::kWriteFailed);
    test::WriteJson(p.root / "in.json", ParseJson(R"({"profilename": "n", "profileUUID": "x"})"));
    EXPECT_EQ(p.store.ImportProfile(p.root / "in.json"), ProfileStatus::kWriteFailed);
    EXPECT_EQ(p.FileCount(), files) << "no document of a profile the list does not hold";

    EXPECT_EQ(p.store.DeleteProfile(), ProfileStatus::kWriteFailed);
    EXPECT_TRUE(std::filesystem::exists(p.folder / (Id(1) + ".Json")));

    EXPECT_EQ(p.store.RenameProfile("z"), ProfileStatus::kWriteFailed);
    EXPECT_EQ(p.Document(Id(1))["profilename"].asString(), "b") << "the document's old name is back";

    EXPECT_EQ(p.store.SelectProfile(2), ProfileStatus::kWriteFailed);
    EXPECT_EQ(p.store.GetSelectedIndex(), 1);
    EXPECT_EQ(p.store.GetCurrentProfileUUID(), Id(1));
    EXPECT_EQ(p.Names(), names);

    // A document that cannot be replaced fails the reset.
    std::filesystem::remove(p.folder / (Id(1) + ".Json"));
    std::filesystem::create_directory(p.folder / (Id(1) + ".Json"));
    EXPECT_EQ(p.store.ResetProfile(), ProfileStatus::kWriteFailed);

    // A profile folder that cannot be made fails the load.
    test::WriteText(p.root / "file", "x");
    ProfileListStore blocked(kKindKeyboard, p.root / "file" / "keyboard", p.templatePath);
    EXPECT_EQ(blocked.LoadProfileList(), ProfileStatus::kWriteFailed);
    EXPECT_EQ(blocked.GetSelectedIndex(), -1);
    EXPECT_EQ(blocked.AddProfile(), ProfileStatus::kNoSelection);
}

TEST(ProfileListStoreTest, AStoredSelectionOutOfRangeSelectsTheFirstProfile) {
    for (const char* stored : {"7", "-1", "\"1\""}) {
        Profiles p;
        p.Existing({"a", "b"});
        Json::Value list = p.List();
        list["profileselect"] = ParseJson(stored);
        test::WriteJson(p.ListPath(), list);
        ProfileListStore store(kKindKeyboard, p.folder, p.templatePath);
        ASSERT_EQ(store.LoadProfileList(), ProfileStatus::kOk) << stored;
        EXPECT_EQ(store.GetSelectedIndex(), 0) << stored;
        EXPECT_EQ(p.List()["profileselect"], 0) << stored;
        EXPECT_EQ(store.SelectProfile(2), ProfileStatus::kBadIndex);
    }
}

}  // namespace
}  // namespace morvek
