// The update list: rows after the check, the window's status, ticks and the update button,
// the download and launch states, and when the window may close.
#include <gtest/gtest.h>

#include <vector>

#include "update/UpdateListModel.h"

namespace morvek::update {
namespace {

const std::vector<UpdateIdentity> kIdentities = {
    {1, 1, 0x0105, "MORVEK", "MVKPAD", "MP2", "MP2", ""},
    {1, 1, 0x0200, "MORVEK", "MVKKB", "K764E", "Morvek gaming keyboard", ""},
    {0, 1, 10, "MORVEK", "ALL", "APP", "Application", "0.1.0"},
};

QueryOutcome Offered() {
    UpdateInfo info;
    info.state = kRowOffered;
    info.name = "from the service";
    info.downloadAddress = "https://u.example/files/mp2.bin";
    return {false, info};
}
QueryOutcome UpToDate() {
    UpdateInfo info;
    info.state = kRowUpToDate;
    return {false, info};
}
const QueryOutcome kNoLink{true, std::nullopt};
// The service answered, but not with a version (no JSON, an error page, an empty answer).
const QueryOutcome kNoVersion{false, std::nullopt};

class UpdateListModelTest : public ::testing::Test {
protected:
    // Prepares the rows and applies one outcome per row.
    void Check(const std::vector<QueryOutcome>& outcomes) {
        model.Prepare(kIdentities);
        for (size_t i = 0; i < outcomes.size(); ++i) model.ApplyQuery(i, kIdentities[i], outcomes[i], "/cache/UpdateData");
        model.FinishCheck();
    }
    std::vector<int> States() const {
        std::vector<int> states;
        for (size_t i = 0; i < model.RowCount(); ++i) states.push_back(model.Row(i).info.state);
        return states;
    }

    UpdateListModel model;
};

TEST_F(UpdateListModelTest, PreparedRowsShowTheProductsAsUpToDate) {
    model.Prepare(kIdentities);
    ASSERT_EQ(model.RowCount(), 3u);
    EXPECT_EQ(model.Status(), UpdateStatus::kChecking);
    EXPECT_EQ(model.Row(0).info.name, "MP2");
    EXPECT_EQ(model.Row(0).info.currentVersionText, "V0105");
    // The application row is called "AP" and shows its version text.
    EXPECT_EQ(model.Row(2).info.name, "AP");
    EXPECT_EQ(model.Row(2).info.currentVersionText, "0.1.0");
    EXPECT_EQ(States(), (std::vector<int>{kRowUpToDate, kRowUpToDate, kRowUpToDate}));
    EXPECT_FALSE(model.UpdateButtonShown());
}

struct CheckCase {
    const char* what;
    std::vector<QueryOutcome> outcomes;
    UpdateStatus status;
    bool button;
    std::vector<int> states;
};

TEST_F(UpdateListModelTest, StatusAndUpdateButtonAfterTheCheck) {
    const CheckCase cases[] = {
        {"no server", {kNoLink, kNoLink, kNoLink}, UpdateStatus::kNotReached, false,
         {kRowNotReached, kRowNotReached, kRowNotReached}},
        {"one row offers", {Offered(), UpToDate(), kNoLink}, UpdateStatus::kOffered, true,
         {kRowOffered, kRowUpToDate, kRowNotReached}},
        {"all up to date", {UpToDate(), UpToDate(), UpToDate()}, UpdateStatus::kLatest, false,
         {kRowUpToDate, kRowUpToDate, kRowUpToDate}},
        {"some not reached", {kNoLink, UpToDate(), kNoLink}, UpdateStatus::kNotReached, false,
         {kRowNotReached, kRowUpToDate, kRowNotReached}},
        {"reached, no versions", {kNoVersion, kNoVersion, kNoVersion}, UpdateStatus::kNoInformation, false,
         {kRowUpToDate, kRowUpToDate, kRowUpToDate}},
        {"reached, one version", {kNoVersion, UpToDate(), kNoVersion}, UpdateStatus::kLatest, false,
         {kRowUpToDate, kRowUpToDate, kRowUpToDate}},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        Check(c.outcomes);
        EXPECT_EQ(model.Status(), c.status);
        EXPECT_EQ(model.UpdateButtonShown(), c.button);
        EXPECT_EQ(States(), c.states);
        for (size_t i = 0; i < model.RowCount(); ++i) {
            const bool offered = model.Row(i).info.state == kRowOffered;
            EXPECT_EQ(model.Row(i).ticked, offered);
            EXPECT_EQ(model.Row(i).tickEnabled, offered);
        }
    }
}

TEST_F(UpdateListModelTest, AnswerKeepsTheDisplayNameAndNamesTheLocalFile) {
    Check({Offered(), UpToDate(), kNoLink});
    EXPECT_EQ(model.Row(0).info.name, "MP2");
    EXPECT_EQ(model.Row(0).info.localFile, std::filesystem::path("/cache/UpdateData/MP2.bin"));
    EXPECT_STREQ(UpdateListModel::RowTextKey(model.Row(0)), "NeedUpdateText");
    EXPECT_STREQ(UpdateListModel::RowTextKey(model.Row(1)), "UpdateOkText");
    EXPECT_EQ(UpdateListModel::ToneOf(model.Row(0)), RowTone::kOffered);
    EXPECT_EQ(UpdateListModel::ToneOf(model.Row(1)), RowTone::kGrey);
}

// A product whose query could not reach the service is not called up to date, and the window
// says the service could not be reached rather than that nothing was found.
TEST_F(UpdateListModelTest, RowsAndStatusSayWhenTheServiceWasNotReached) {
    Check({kNoLink, UpToDate(), kNoVersion});
    EXPECT_STREQ(UpdateListModel::RowTextKey(model.Row(0)), "UpdateNoLinkText");
    EXPECT_STREQ(UpdateListModel::RowTextKey(model.Row(1)), "UpdateOkText");
    EXPECT_STREQ(UpdateListModel::RowTextKey(model.Row(2)), "UpdateOkText");
    EXPECT_EQ(UpdateListModel::ToneOf(model.Row(0)), RowTone::kFailed);
    EXPECT_EQ(UpdateListModel::ToneOf(model.Row(1)), RowTone::kGrey);
    EXPECT_STREQ(UpdateListModel::StatusTextKey(model.Status()), "UpdateNoLinkInfoText");
    EXPECT_TRUE(model.Confirm().empty());
    EXPECT_TRUE(model.CanClose());
    Check({kNoVersion, kNoVersion, kNoVersion});
    EXPECT_STREQ(UpdateListModel::StatusTextKey(model.Status()), "NoUpdateInfoText");
}

TEST_F(UpdateListModelTest, UntickingEveryRowHidesTheUpdateButton) {
    QueryOutcome second = Offered();
    Check({Offered(), second, kNoLink});
    model.SetTick(0, false);
    EXPECT_TRUE(model.UpdateButtonShown());
    model.SetTick(1, false);
    EXPECT_FALSE(model.UpdateButtonShown());
    EXPECT_FALSE(model.UpdateButtonEnabled());
    // A row whose tick is disabled cannot be ticked.
    model.SetTick(2, true);
    EXPECT_FALSE(model.Row(2).ticked);
    model.SetTick(1, true);
    EXPECT_TRUE(model.UpdateButtonShown());
    EXPECT_TRUE(model.UpdateButtonEnabled());
}

TEST_F(UpdateListModelTest, ConfirmedRowsGoThroughDownloadAndLaunch) {
    Check({Offered(), Offered(), UpToDate()});
    model.SetTick(1, false);
    EXPECT_EQ(model.Confirm(), std::vector<size_t>{0});
    EXPECT_EQ(States(), (std::vector<int>{kRowQueued, kRowOffered, kRowUpToDate}));
    EXPECT_FALSE(model.Row(1).tickEnabled);
    EXPECT_FALSE(model.UpdateButtonEnabled());
    EXPECT_FALSE(model.CanClose());

    model.DownloadStarted(0);
    model.DownloadProgress(0, 42);
    EXPECT_EQ(model.Status(), UpdateStatus::kUpdating);
    EXPECT_EQ(model.Row(0).percent, 42);
    EXPECT_STREQ(UpdateListModel::RowTextKey(model.Row(0)), "DownloadIngText");
    EXPECT_FALSE(model.CanClose());

    model.DownloadFinished(0, DownloadResult::kDone);
    EXPECT_EQ(model.Row(0).info.state, kRowDownloaded);
    EXPECT_FALSE(model.CanClose());

    // The start keeps the window open until the opener took the package.
    model.LaunchStarted(0);
    EXPECT_EQ(model.Row(0).info.state, kRowInstalling);
    EXPECT_FALSE(model.CanClose());
    model.LaunchFinished(0, LaunchResult::kHandedOver);
    EXPECT_EQ(model.Row(0).info.state, kRowInstalling);
    EXPECT_TRUE(model.CanClose());
}

struct FailureCase {
    const char* what;
    DownloadResult download;
    LaunchResult launch;
    int state;
    const char* textKey;
    bool tickEnabled;
};

TEST_F(UpdateListModelTest, FailedRowsSayWhyAndWhetherTheyCanBeTriedAgain) {
    const FailureCase cases[] = {
        {"download failed", DownloadResult::kHashMismatch, LaunchResult::kFailed, kRowFailed, "UpdateFailText", true},
        {"start failed", DownloadResult::kDone, LaunchResult::kFailed, kRowFailed, "UpdateFailText", true},
        {"cannot run here", DownloadResult::kDone, LaunchResult::kNotRunnable, kRowFailed, "UpdateNotRunnableText",
         false},
        {"program ran", DownloadResult::kDone, LaunchResult::kFinished, kRowUpToDate, "UpdateOkText", false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        Check({Offered(), UpToDate(), UpToDate()});
        model.Confirm();
        model.DownloadStarted(0);
        model.DownloadFinished(0, c.download);
        if (c.download == DownloadResult::kDone) {
            model.LaunchStarted(0);
            model.LaunchFinished(0, c.launch);
        }
        EXPECT_EQ(model.Row(0).info.state, c.state);
        EXPECT_STREQ(UpdateListModel::RowTextKey(model.Row(0)), c.textKey);
        EXPECT_EQ(model.Row(0).tickEnabled, c.tickEnabled);
        EXPECT_TRUE(model.CanClose());
    }
}

TEST_F(UpdateListModelTest, FailedRowIsDownloadedAgainWhenConfirmedAgain) {
    Check({Offered(), UpToDate(), UpToDate()});
    model.Confirm();
    model.DownloadStarted(0);
    model.DownloadFinished(0, DownloadResult::kTransferFailed);
    model.SetTick(0, true);
    EXPECT_TRUE(model.UpdateButtonEnabled());
    EXPECT_EQ(model.Confirm(), std::vector<size_t>{0});
    EXPECT_EQ(model.Row(0).info.state, kRowQueued);
    EXPECT_STREQ(UpdateListModel::RowTextKey(model.Row(0)), "DownloadWaitText");
}

}  // namespace
}  // namespace morvek::update
