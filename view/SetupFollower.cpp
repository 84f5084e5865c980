#include "view/SetupFollower.h"

#include "res/MessageNumbers.h"
#include "sys/FollowedProcess.h"

#include <algorithm>
#include <cstdio>

namespace
{
// Windows Installer's exit codes, which most set-ups (and their bootstrappers) follow.
constexpr uint32_t kRebootRequired = 3010;      // ERROR_SUCCESS_REBOOT_REQUIRED
constexpr uint32_t kRestartRequired = 3011;     // ERROR_SUCCESS_RESTART_REQUIRED
constexpr uint32_t kRebootInitiated = 1641;     // ERROR_SUCCESS_REBOOT_INITIATED
constexpr uint32_t kUserExit = 1602;            // ERROR_INSTALL_USEREXIT
constexpr uint32_t kCancelled = 1223;           // ERROR_CANCELLED
constexpr uint32_t kInstallInProgress = 1618;   // ERROR_INSTALL_ALREADY_RUNNING
} // namespace

CSetupOutcome CSetupOutcome::For(EFollowedAction action, uint32_t nExitCode, bool bReadsAsMeant)
{
    CSetupOutcome outcome;
    switch (nExitCode)
    {
    case 0:
        if (!bReadsAsMeant)
            outcome.m_nMessage = action == EFollowedAction::Setup ? MSG_SETUP_ENDED_NOT_FOUND : MSG_UNINSTALL_ENDED_STILL_FOUND;
        break;
    case kRebootRequired:
    case kRestartRequired:
        outcome.m_nMessage = MSG_RESTART_NEEDED;
        break;
    case kRebootInitiated:
        outcome.m_nMessage = MSG_RESTARTING;
        break;
    case kUserExit:
    case kCancelled:
        break;
    case kInstallInProgress:
        outcome.m_nMessage = MSG_OTHER_INSTALL_RUNNING;
        break;
    default:
        // Some set-ups end with a code of their own after a good run.
        if (!bReadsAsMeant)
        {
            outcome.m_nMessage = MSG_SETUP_EXIT_CODE;
            outcome.m_bWithCode = true;
        }
        break;
    }
    return outcome;
}

std::string CSetupOutcome::Text(const std::string& strMessage, uint32_t nExitCode) const
{
    if (!m_bWithCode)
        return strMessage;
    char code[32];
    std::snprintf(code, sizeof code, " %lu (0x%08lX)", static_cast<unsigned long>(nExitCode),
                  static_cast<unsigned long>(nExitCode));
    return strMessage + code;
}

void CSetupFollower::Add(int nEntry, EFollowedAction action, bool bReadsAsMeant,
                         std::unique_ptr<CFollowedProcess> process)
{
    if (process != nullptr)
        m_followed.push_back({nEntry, action, bReadsAsMeant, std::move(process)});
}

bool CSetupFollower::IsSettingUp(int nEntry) const
{
    return std::any_of(m_followed.begin(), m_followed.end(), [&](const CFollowed& followed) {
        return followed.m_nEntry == nEntry && followed.m_action == EFollowedAction::Setup;
    });
}

bool CSetupFollower::Poll(const ReadsAsMeant& readsAsMeant)
{
    bool bAnyEnded = false;
    for (auto it = m_followed.begin(); it != m_followed.end();)
    {
        uint32_t nExitCode = 0;
        const bool bOver = it->m_process->HasFirstEnded(nExitCode) &&
                           (it->m_process->HaveAllEnded() || readsAsMeant(it->m_nEntry, it->m_action) != it->m_bReadAsMeant);
        if (!bOver)
        {
            ++it;
            continue;
        }
        m_ended.push_back({it->m_nEntry, it->m_action, nExitCode});
        it = m_followed.erase(it);
        bAnyEnded = true;
    }
    return bAnyEnded;
}

std::vector<CSetupFollower::CEnded> CSetupFollower::TakeEnded()
{
    std::vector<CEnded> ended;
    ended.swap(m_ended);
    return ended;
}

void CSetupFollower::Clear()
{
    m_followed.clear();
    m_ended.clear();
}
