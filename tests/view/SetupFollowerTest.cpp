#include "view/SetupFollower.h"

#include "res/MessageNumbers.h"
#include "sys/FollowedProcess.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

// A started program whose processes end when the test says so.
class CScriptedProcess : public CFollowedProcess
{
public:
    struct CState
    {
        bool bFirstEnded = false;
        bool bAllEnded = false;
        uint32_t nExitCode = 0;
    };
    explicit CScriptedProcess(const std::shared_ptr<CState>& state) : m_state(state) {}
    bool HasFirstEnded(uint32_t& nExitCode) override
    {
        nExitCode = m_state->nExitCode;
        return m_state->bFirstEnded;
    }
    bool HaveAllEnded() override { return m_state->bFirstEnded && m_state->bAllEnded; }

private:
    std::shared_ptr<CState> m_state;
};

} // namespace

TEST(SetupOutcome, ByExitCodeAndWhatTheEntryReads)
{
    constexpr auto Setup = EFollowedAction::Setup;
    constexpr auto Uninstall = EFollowedAction::Uninstall;
    const struct
    {
        EFollowedAction action;
        uint32_t nExitCode;
        bool bReadsAsMeant;
        int nMessage;
        bool bWithCode;
    } cases[] = {
        {Setup, 0, true, 0, false},
        {Setup, 0, false, MSG_SETUP_ENDED_NOT_FOUND, false},
        {Uninstall, 0, true, 0, false},
        {Uninstall, 0, false, MSG_UNINSTALL_ENDED_STILL_FOUND, false},
        // A restart is asked for (or under way) whatever the entry reads.
        {Setup, 3010, true, MSG_RESTART_NEEDED, false},
        {Uninstall, 3011, false, MSG_RESTART_NEEDED, false},
        {Setup, 1641, true, MSG_RESTARTING, false},
        // The user cancelled: nothing to say.
        {Setup, 1602, false, 0, false},
        {Uninstall, 1223, false, 0, false},
        {Setup, 1618, true, MSG_OTHER_INSTALL_RUNNING, false},
        // Any other code: told with the code, unless the work is plainly done.
        {Setup, 1603, false, MSG_SETUP_EXIT_CODE, true},
        {Uninstall, 0xC0000005u, false, MSG_SETUP_EXIT_CODE, true},
        {Setup, 1603, true, 0, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "code " << c.nExitCode << (c.bReadsAsMeant ? ", reads as meant" : ""));
        const CSetupOutcome outcome = CSetupOutcome::For(c.action, c.nExitCode, c.bReadsAsMeant);
        EXPECT_EQ(outcome.m_nMessage, c.nMessage);
        EXPECT_EQ(outcome.m_bWithCode, c.bWithCode);
    }
    EXPECT_EQ(CSetupOutcome::For(Setup, 1603, false).Text("Code:", 1603), "Code: 1603 (0x00000643)");
    EXPECT_EQ(CSetupOutcome::For(Setup, 0xC0000005u, false).Text("Code:", 0xC0000005u),
              "Code: 3221225477 (0xC0000005)");
    EXPECT_EQ(CSetupOutcome::For(Setup, 3010, false).Text("Restart.", 3010), "Restart.");
}

// When a followed program is over: all its processes gone, or its first gone and its entry's
// reading changed (a set-up that starts the installed application); never while the first runs.
TEST(SetupFollower, OverWhenAllHaveEndedOrTheFirstHasAndTheEntryChanged)
{
    const struct
    {
        const char* pszName;
        bool bFirstEnded;
        bool bAllEnded;
        bool bReadBefore;
        bool bReadsNow;
        bool bOver;
    } cases[] = {
        {"first still running", false, false, false, true, false},
        {"first ended, a child runs, nothing changed", true, false, false, false, false},
        {"first ended, a child runs, now installed", true, false, false, true, true},
        {"first ended, a child runs, forced set-up of an installed entry", true, false, true, true, false},
        {"all ended, nothing changed", true, true, false, false, true},
        {"all ended, installed", true, true, false, true, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        auto state = std::make_shared<CScriptedProcess::CState>();
        state->bFirstEnded = c.bFirstEnded;
        state->bAllEnded = c.bAllEnded;
        state->nExitCode = 3010;
        CSetupFollower follower;
        follower.Add(2, EFollowedAction::Setup, c.bReadBefore, std::make_unique<CScriptedProcess>(state));
        int nAsked = 0;
        const bool bOver = follower.Poll([&](int nEntry, EFollowedAction action) {
            ++nAsked;
            EXPECT_EQ(nEntry, 2);
            EXPECT_EQ(action, EFollowedAction::Setup);
            return c.bReadsNow;
        });
        EXPECT_EQ(bOver, c.bOver);
        EXPECT_EQ(follower.IsFollowing(), !c.bOver);
        // The entry is checked only while the first has ended and others run.
        EXPECT_EQ(nAsked, c.bFirstEnded && !c.bAllEnded ? 1 : 0);
        const std::vector<CSetupFollower::CEnded> ended = follower.TakeEnded();
        ASSERT_EQ(ended.size(), c.bOver ? 1u : 0u);
        if (c.bOver)
        {
            EXPECT_EQ(ended[0].m_nExitCode, 3010u);
        }
    }
}

TEST(SetupFollower, SeveralAtOnce_EachEndsOnItsOwnAndNothingIsReportedTwice)
{
    auto first = std::make_shared<CScriptedProcess::CState>();
    auto second = std::make_shared<CScriptedProcess::CState>();
    CSetupFollower follower;
    follower.Add(1, EFollowedAction::Setup, false, std::make_unique<CScriptedProcess>(first));
    follower.Add(3, EFollowedAction::Uninstall, true, std::make_unique<CScriptedProcess>(second));
    // Nothing handed over is not followed.
    follower.Add(4, EFollowedAction::Setup, false, nullptr);
    const auto unchanged = [](int, EFollowedAction) { return false; };
    // Set-ups, not removals, and only while followed.
    const auto settingUp = [&] {
        std::string strEntries;
        for (int n = 1; n <= 4; ++n)
            strEntries += follower.IsSettingUp(n) ? '1' : '0';
        return strEntries;
    };
    EXPECT_EQ(settingUp(), "1000");

    EXPECT_FALSE(follower.Poll(unchanged));
    second->bFirstEnded = second->bAllEnded = true;
    second->nExitCode = 1602;
    EXPECT_TRUE(follower.Poll(unchanged));
    EXPECT_FALSE(follower.Poll(unchanged));
    std::vector<CSetupFollower::CEnded> ended = follower.TakeEnded();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].m_nEntry, 3);
    EXPECT_EQ(ended[0].m_action, EFollowedAction::Uninstall);
    EXPECT_EQ(ended[0].m_nExitCode, 1602u);
    EXPECT_TRUE(follower.TakeEnded().empty());
    EXPECT_TRUE(follower.IsFollowing());
    first->bFirstEnded = true;
    EXPECT_FALSE(follower.Poll(unchanged));
    EXPECT_EQ(settingUp(), "1000");
    first->bFirstEnded = false;

    // Another catalogue: the first is no longer followed, and its end never reported.
    follower.Clear();
    first->bFirstEnded = first->bAllEnded = true;
    EXPECT_FALSE(follower.IsFollowing());
    EXPECT_EQ(settingUp(), "0000");
    EXPECT_FALSE(follower.Poll(unchanged));
    EXPECT_TRUE(follower.TakeEnded().empty());
}
