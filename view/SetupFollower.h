// The set-ups and removals that the launcher started and follows to their end, and what it tells
// the user when one has ended. Portable: the programs are followed through the system interface.
#ifndef KORVELT_VIEW_SETUPFOLLOWER_H
#define KORVELT_VIEW_SETUPFOLLOWER_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CFollowedProcess;

enum class EFollowedAction
{
    Setup,
    Uninstall,
};

// The box after a followed program has ended, by its first process's exit code (Windows
// Installer's conventions, which most set-ups follow) and whether the entry now reads as the
// action meant: installed after a set-up, not installed after a removal. m_nMessage 0: no box.
struct CSetupOutcome
{
    int m_nMessage = 0;
    // The text goes on with the exit code, in decimal and hexadecimal.
    bool m_bWithCode = false;

    static CSetupOutcome For(EFollowedAction action, uint32_t nExitCode, bool bReadsAsMeant);
    // The box's text: strMessage, and the code where the outcome shows it.
    std::string Text(const std::string& strMessage, uint32_t nExitCode) const;
};

class CSetupFollower
{
public:
    struct CEnded
    {
        int m_nEntry = 0;
        EFollowedAction m_action = EFollowedAction::Setup;
        uint32_t m_nExitCode = 0;
    };
    // Whether entry n (counted from 1) now reads as the action meant, checked afresh.
    using ReadsAsMeant = std::function<bool(int nEntry, EFollowedAction action)>;

    // Follows the program started for entry nEntry; bReadsAsMeant is the entry's reading at the
    // start.
    void Add(int nEntry, EFollowedAction action, bool bReadsAsMeant, std::unique_ptr<CFollowedProcess> process);
    bool IsFollowing() const { return !m_followed.empty(); }
    // Whether a set-up of entry nEntry is followed and not yet over.
    bool IsSettingUp(int nEntry) const;
    // Looks once at every program followed. One is over when none of its processes is left, or
    // when its first process has ended and its entry's reading has changed since the start (a
    // set-up that leaves the installed application running). True when one or more are over
    // (TakeEnded gives them, in the order they were started).
    bool Poll(const ReadsAsMeant& readsAsMeant);
    std::vector<CEnded> TakeEnded();
    // The entries' numbers no longer mean what they meant (another catalogue): nothing followed.
    void Clear();

private:
    struct CFollowed
    {
        int m_nEntry;
        EFollowedAction m_action;
        bool m_bReadAsMeant;
        std::unique_ptr<CFollowedProcess> m_process;
    };
    std::vector<CFollowed> m_followed;
    std::vector<CEnded> m_ended;
};

#endif
