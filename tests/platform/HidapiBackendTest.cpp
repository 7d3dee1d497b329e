#include "platform/hid/HidapiBackend.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>

#include "platform/DescriptorFixtures.h"
#include "platform/TempDir.h"
#include "platform/hid/HidPath.h"
#include "platform/hid/UniqueFd.h"

namespace morvek::hid {
namespace {

constexpr uint16_t kVendor = 0x0C45;
constexpr uint16_t kProduct = 0x764E;

// Hidraw nodes as named pipes under a temporary folder, with a fake sysfs tree beside them.
class HidapiBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(temp_.Path().empty());
        std::filesystem::create_directories(temp_.Path() / "dev");
    }

    std::string AddNode(const std::string& name, const std::vector<uint8_t>& descriptor,
                        std::optional<uint16_t> interfaceNumber, uint16_t vendor = kVendor) {
        const auto folder = temp_.Path() / "sys/class/hidraw" / name / "device";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "report_descriptor", std::ios::binary)
            .write(reinterpret_cast<const char*>(descriptor.data()), static_cast<std::streamsize>(descriptor.size()));
        char uevent[64];
        std::snprintf(uevent, sizeof uevent, "HID_ID=0003:%08X:%08X\n", vendor, kProduct);
        std::ofstream(folder / "uevent") << uevent;

        const std::string node = (temp_.Path() / "dev" / name).string();
        MakeNode(node);
        rows_.push_back(HidrawNode{node, vendor, kProduct, 0x0102, interfaceNumber});
        return node;
    }

    static void MakeNode(const std::string& node) { ASSERT_EQ(::mkfifo(node.c_str(), 0600), 0); }

    HidapiBackend Backend(bool listingFails = false) {
        HidapiBackendOptions options;
        options.sysfsRoot = temp_.Path() / "sys";
        options.devRoot = temp_.Path() / "dev";
        options.listNodes = [this, listingFails]() -> std::optional<std::vector<HidrawNode>> {
            ++listings_;
            if (listingFails) return std::nullopt;
            return rows_;
        };
        return HidapiBackend(std::move(options));
    }

    static std::string PathOf(const std::string& node, std::optional<uint16_t> mi, uint16_t col) {
        char markers[64];
        std::snprintf(markers, sizeof markers, "&vid_0c45&pid_764e");
        std::string path = node + markers;
        if (mi) path += "&mi_0" + std::to_string(*mi);
        if (col) path += "&col0" + std::to_string(col);
        return path;
    }

    // The far end of a node: what the device would send and receive.
    static UniqueFd OpenFarEnd(const std::string& node) { return UniqueFd(::open(node.c_str(), O_RDWR | O_NONBLOCK)); }

    // A node whose sysfs entry links to the HID device instance, as the kernel lays it out.
    std::string AddLinkedNode(const std::string& name, const std::string& instance,
                              const std::vector<uint8_t>& descriptor) {
        const auto folder = temp_.Path() / "sys/devices" / instance / "hidraw" / name;
        std::filesystem::create_directories(folder / "device");
        std::ofstream(folder / "device/report_descriptor", std::ios::binary)
            .write(reinterpret_cast<const char*>(descriptor.data()), static_cast<std::streamsize>(descriptor.size()));
        std::ofstream(folder / "device/uevent") << "HID_ID=0003:00000C45:0000764E\n";
        const auto link = temp_.Path() / "sys/class/hidraw" / name;
        std::filesystem::create_directories(link.parent_path());
        std::filesystem::remove(link);
        std::filesystem::create_directory_symlink(folder, link);
        const std::string node = (temp_.Path() / "dev" / name).string();
        if (!std::filesystem::exists(node)) {
            MakeNode(node);
            rows_.push_back(HidrawNode{node, kVendor, kProduct, 0x0102, 1});
        }
        return node;
    }

    size_t Count(HidapiBackend& backend) {
        std::vector<HidInterfaceInfo> list;
        EXPECT_TRUE(backend.Enumerate(list));
        return list.size();
    }

    testing::TempDir temp_;
    std::vector<HidrawNode> rows_;
    int listings_ = 0;
};

TEST_F(HidapiBackendTest, AnUnchangedMachineIsListedFromTheLastEnumeration) {
    AddNode("hidraw3", fixtures::kKeyboardInterface, 1);
    HidapiBackend backend = Backend();
    std::vector<HidInterfaceInfo> first, second;
    ASSERT_TRUE(backend.Enumerate(first));
    ASSERT_TRUE(backend.Enumerate(second));
    EXPECT_EQ(listings_, 1);
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ(second[3].path, first[3].path);
    EXPECT_EQ(second[3].usagePage, 0xFF1C);

    // A device plugged in shows at the next enumeration.
    AddNode("hidraw4", fixtures::kPlainConsumer, 2);
    EXPECT_EQ(Count(backend), 5u);
    EXPECT_EQ(listings_, 2);
    EXPECT_EQ(Count(backend), 5u);
    EXPECT_EQ(listings_, 2);
}

TEST_F(HidapiBackendTest, ANodeThatChangesIdentityIsReadAgain) {
    AddNode("hidraw3", fixtures::kPlainConsumer, 2);
    const std::string linked = AddLinkedNode("hidraw5", "0003:0C45:764E.0001", fixtures::kKeyboardInterface);
    HidapiBackend backend = Backend();
    ASSERT_EQ(Count(backend), 5u);

    // Unplugged and plugged in again behind the same device node: the kernel's new HID device
    // instance (its sysfs entry links elsewhere) has its descriptor read again.
    AddLinkedNode("hidraw5", "0003:0C45:764E.0002", fixtures::kPlainConsumer);
    EXPECT_EQ(Count(backend), 2u);
    EXPECT_EQ(listings_, 2);

    // Unplugged: gone from the list.
    std::filesystem::remove(linked);
    std::filesystem::remove(temp_.Path() / "sys/class/hidraw/hidraw5");
    EXPECT_EQ(Count(backend), 1u);
}

TEST_F(HidapiBackendTest, EnumeratesOneEntryPerInterfaceCollection) {
    const std::string keyboard = AddNode("hidraw3", fixtures::kKeyboardInterface, 1);
    const std::string media = AddNode("hidraw4", fixtures::kPlainConsumer, 2);
    rows_.push_back(rows_.front());  // listed once per usage: still one node

    HidapiBackend backend = Backend();
    std::vector<HidInterfaceInfo> list;
    ASSERT_TRUE(backend.Enumerate(list));
    ASSERT_EQ(list.size(), 5u);

    struct Expected {
        std::string path;
        uint16_t interfaceNumber, collectionNumber, usagePage, usage, input, output;
    };
    const Expected expected[] = {
        {keyboard + "&vid_0c45&pid_764e&mi_01&col01", 1, 1, 0x0001, 0x06, 17, 2},
        {keyboard + "&vid_0c45&pid_764e&mi_01&col02", 1, 2, 0x0001, 0x80, 2, 0},
        {keyboard + "&vid_0c45&pid_764e&mi_01&col03", 1, 3, 0x000C, 0x01, 5, 0},
        {keyboard + "&vid_0c45&pid_764e&mi_01&col04", 1, 4, 0xFF1C, 0x92, 64, 64},
        {media + "&vid_0c45&pid_764e&mi_02", 2, 0, 0x000C, 0x01, 2, 0},
    };
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(expected[i].path);
        EXPECT_EQ(list[i].path, expected[i].path);
        EXPECT_EQ(list[i].vendorId, kVendor);
        EXPECT_EQ(list[i].productId, kProduct);
        EXPECT_EQ(list[i].releaseNumber, 0x0102);
        EXPECT_EQ(list[i].interfaceNumber, expected[i].interfaceNumber);
        EXPECT_EQ(list[i].collectionNumber, expected[i].collectionNumber);
        EXPECT_EQ(list[i].usagePage, expected[i].usagePage);
        EXPECT_EQ(list[i].usage, expected[i].usage);
        EXPECT_EQ(list[i].inputReportLength, expected[i].input);
        EXPECT_EQ(list[i].outputReportLength, expected[i].output);
        EXPECT_EQ(list[i].featureReportLength, 0);
    }
}

TEST_F(HidapiBackendTest, SkipsNodesWithoutAUsableDescriptor) {
    AddNode("hidraw1", {0x05, 0x01, 0xA1, 0x01}, 0);  // collection never closed
    AddNode("hidraw2", fixtures::kPlainConsumer, 0);
    std::filesystem::remove(temp_.Path() / "sys/class/hidraw/hidraw2/device/report_descriptor");
    const std::string gone = AddNode("hidraw5", fixtures::kPlainConsumer, 0);
    std::filesystem::remove(gone);
    const std::string bluetooth = AddNode("hidraw6", fixtures::kPlainConsumer, std::nullopt);
    rows_.push_back(HidrawNode{(temp_.Path() / "dev/notraw").string(), kVendor, kProduct, 0, 0});

    HidapiBackend backend = Backend();
    std::vector<HidInterfaceInfo> list;
    ASSERT_TRUE(backend.Enumerate(list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].path, bluetooth + "&vid_0c45&pid_764e");  // no interface number, no "&mi_"
}

TEST_F(HidapiBackendTest, FailedListingReportsFailureWithAnEmptyList) {
    AddNode("hidraw3", fixtures::kKeyboardInterface, 1);
    HidapiBackend backend = Backend(true);
    std::vector<HidInterfaceInfo> list(3);
    EXPECT_FALSE(backend.Enumerate(list));
    EXPECT_TRUE(list.empty());
}

TEST_F(HidapiBackendTest, OpenedCollectionReadsOnlyItsOwnReports) {
    const std::string node = AddNode("hidraw3", fixtures::kKeyboardInterface, 1);
    HidapiBackend backend = Backend();
    const auto device = backend.Open(PathOf(node, 1, 3), HidOpenMode{});
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Info().usagePage, 0x000C);
    EXPECT_EQ(device->Info().collectionNumber, 3);
    EXPECT_EQ(device->Info().inputReportLength, 5);
    EXPECT_EQ(device->ReportDescriptor(), fixtures::kKeyboardInterface);

    const UniqueFd far = OpenFarEnd(node);
    ASSERT_TRUE(far.Valid());
    std::vector<uint8_t> vendorReport(64, 0);
    vendorReport[0] = 0x04;
    ASSERT_EQ(::write(far.Get(), vendorReport.data(), vendorReport.size()), 64);
    std::vector<uint8_t> buffer(5);
    EXPECT_EQ(device->Read(buffer, 0).status, IoStatus::TimedOut);

    const std::vector<uint8_t> event = {0x03, 0x01, 0x04, 0x00, 0x00};
    ASSERT_EQ(::write(far.Get(), event.data(), event.size()), 5);
    const IoResult result = device->Read(buffer, 0);
    EXPECT_EQ(result.status, IoStatus::Ok);
    EXPECT_EQ(buffer, event);
}

TEST_F(HidapiBackendTest, InterfaceWithoutReportIdsReadsWithALeadingZero) {
    const std::string node = AddNode("hidraw4", fixtures::kPlainConsumer, 2);
    HidapiBackend backend = Backend();
    const auto device = backend.Open(PathOf(node, 2, 0), HidOpenMode{true, false, false});
    ASSERT_TRUE(device);

    const UniqueFd far = OpenFarEnd(node);
    const uint8_t data = 0x22;
    ASSERT_EQ(::write(far.Get(), &data, 1), 1);
    std::vector<uint8_t> buffer(2);
    const IoResult result = device->Read(buffer, 0);
    EXPECT_EQ(result.status, IoStatus::Ok);
    EXPECT_EQ(buffer, (std::vector<uint8_t>{0x00, 0x22}));
    EXPECT_EQ(device->Write(buffer, 0).status, IoStatus::Failed);  // opened for reading only
}

TEST_F(HidapiBackendTest, WritesGoToTheNode) {
    const std::string node = AddNode("hidraw3", fixtures::kKeyboardInterface, 1);
    HidapiBackend backend = Backend();
    const auto device = backend.Open(PathOf(node, 1, 4), HidOpenMode{});
    ASSERT_TRUE(device);
    const UniqueFd far = OpenFarEnd(node);

    std::vector<uint8_t> report(64, 0x5A);
    report[0] = 0x04;
    EXPECT_TRUE(device->Write(report, 100).ok());
    std::vector<uint8_t> received(128);
    ASSERT_EQ(::read(far.Get(), received.data(), received.size()), 64);
    received.resize(64);
    EXPECT_EQ(received, report);
}

// File modes count for root too while it exists: root's rights to override them are dropped from
// the calling thread (the node's owner, root or the ordinary user running the tests, then gets
// exactly what the owner bits give) and restored at the end.
class WithoutOverrideRights {
public:
    WithoutOverrideRights() {
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        ready_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutOverrideRights() {
        if (ready_ && ::syscall(SYS_capset, &header_, saved_) != 0) std::abort();
    }
    bool Ready() const { return ready_; }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool ready_ = false;
};

TEST_F(HidapiBackendTest, ANodeThisUserMayNotOpenIsReportedAsAccessDenied) {
    const std::string node = AddNode("hidraw3", fixtures::kKeyboardInterface, 1);
    const std::string gone = AddNode("hidraw4", fixtures::kPlainConsumer, 2);
    std::filesystem::remove(gone);
    HidapiBackend backend = Backend();
    std::vector<HidInterfaceInfo> list;
    ASSERT_TRUE(backend.Enumerate(list));
    const std::string path = PathOf(node, 1, 4);

    struct Case {
        const char* what;
        std::string path;
        std::filesystem::perms mode;
        bool opens;
        bool denied;
    };
    using std::filesystem::perms;
    const Case cases[] = {
        {"no rights on the node", path, perms::none, false, true},
        {"read and write (the rule installed)", path, perms::owner_read | perms::owner_write, true, false},
        {"read only: the probe opens, a command channel would not", path, perms::owner_read, true, false},
        {"again no rights", path, perms::none, false, true},
        {"node removed: missing, not refused", PathOf(gone, 2, 0), perms::none, false, false},
    };
    for (const Case& c : cases) {
        if (std::filesystem::exists(node)) std::filesystem::permissions(node, c.mode);
        std::shared_ptr<IHidDevice> device;
        {
            WithoutOverrideRights user;
            ASSERT_TRUE(user.Ready());
            device = backend.Open(c.path, HidOpenMode{true, false, false});
        }
        EXPECT_EQ(device != nullptr, c.opens) << c.what;
        EXPECT_EQ(backend.AccessDenied(c.path), c.denied) << c.what;
    }
    std::vector<HidInterfaceInfo> again;
    ASSERT_TRUE(backend.Enumerate(again));
    EXPECT_EQ(again.size(), list.size()) << "a node this user may not open is still listed";
}

TEST_F(HidapiBackendTest, OpenRefusesPathsThatDoNotNameAPresentCollection) {
    const std::string keyboard = AddNode("hidraw3", fixtures::kKeyboardInterface, 1);
    const std::string media = AddNode("hidraw4", fixtures::kPlainConsumer, 2);
    const std::string gone = AddNode("hidraw5", fixtures::kPlainConsumer, 2);
    std::filesystem::remove(gone);
    const std::string foreign = AddNode("hidraw6", fixtures::kPlainConsumer, 2, 0x1234);

    const std::string cases[] = {
        "",
        keyboard,                                      // no markers
        keyboard + "&vid_0c46&pid_764e&mi_01&col04",   // another vendor than the node's
        PathOf(keyboard, 1, 5),                        // no fifth collection
        PathOf(keyboard, 1, 0),                        // several collections: one must be named
        PathOf(media, 2, 1),                           // a single collection is not numbered
        PathOf(gone, 2, 0),                            // node removed
        PathOf(foreign, 2, 0),                         // node of another device
        (temp_.Path() / "dev/other&vid_0c45&pid_764e&mi_01").string(),  // not a hidraw node
    };
    HidapiBackend backend = Backend();
    for (const std::string& path : cases) EXPECT_EQ(backend.Open(path, HidOpenMode{}), nullptr) << path;
}

TEST_F(HidapiBackendTest, ExclusiveOpenKeepsOthersOut) {
    const std::string node = AddNode("hidraw3", fixtures::kKeyboardInterface, 1);
    HidapiBackend backend = Backend();
    const std::string path = PathOf(node, 1, 4);

    auto shared1 = backend.Open(path, HidOpenMode{true, true, false});
    auto shared2 = backend.Open(PathOf(node, 1, 3), HidOpenMode{true, false, false});
    ASSERT_TRUE(shared1 && shared2);
    EXPECT_EQ(backend.Open(path, HidOpenMode{true, true, true}), nullptr);
    shared1.reset();
    shared2.reset();

    auto exclusive = backend.Open(path, HidOpenMode{true, true, true});
    ASSERT_TRUE(exclusive);
    EXPECT_EQ(backend.Open(path, HidOpenMode{true, false, false}), nullptr);
    exclusive.reset();
    EXPECT_NE(backend.Open(path, HidOpenMode{true, false, false}), nullptr);
}

TEST_F(HidapiBackendTest, ExistsUntilTheNodeGoesOrIsReplaced) {
    const std::string node = AddNode("hidraw3", fixtures::kKeyboardInterface, 1);
    const std::string other = AddNode("hidraw4", fixtures::kPlainConsumer, 2);
    HidapiBackend backend = Backend();
    std::vector<HidInterfaceInfo> list;
    ASSERT_TRUE(backend.Enumerate(list));
    const std::string path = PathOf(node, 1, 4);
    EXPECT_TRUE(backend.Exists(path));
    const auto before = backend.Open(path, HidOpenMode{});
    ASSERT_TRUE(before);

    // Unplugged and plugged again while still open: the node is new though its name is not.
    std::filesystem::remove(node);
    EXPECT_FALSE(backend.Exists(path));
    MakeNode(node);
    EXPECT_FALSE(backend.Exists(path));
    const auto after = backend.Open(path, HidOpenMode{});
    ASSERT_TRUE(after);
    EXPECT_TRUE(backend.Exists(path));

    // A path never seen is checked against the node's device ids.
    HidapiBackend fresh = Backend();
    EXPECT_TRUE(fresh.Exists(PathOf(other, 2, 0)));
    EXPECT_FALSE(fresh.Exists(other + "&vid_0c46&pid_764e&mi_02"));
    EXPECT_FALSE(fresh.Exists("not a path"));
}

// The machine's own devices, whatever they are, come back as paths the backend can check.
TEST(HidapiBackendSystemTest, ListsTheMachinesDevicesAsCheckablePaths) {
    HidapiBackend backend;
    std::vector<HidInterfaceInfo> list;
    ASSERT_TRUE(backend.Enumerate(list));
    for (const HidInterfaceInfo& info : list) {
        EXPECT_TRUE(SplitHidPath(info.path).has_value()) << info.path;
        EXPECT_TRUE(backend.Exists(info.path)) << info.path;
    }
}

}  // namespace
}  // namespace morvek::hid
