// A program that the launcher started and follows to its end: the first process, whose exit code
// tells how it ended, and, where the system has job objects, every process that it started in turn.
#ifndef KORVELT_SYS_FOLLOWEDPROCESS_H
#define KORVELT_SYS_FOLLOWEDPROCESS_H

#include <cstdint>

class CFollowedProcess
{
public:
    virtual ~CFollowedProcess() = default;

    // True once the first process has ended; nExitCode is then its exit code.
    virtual bool HasFirstEnded(uint32_t& nExitCode) = 0;
    // True once no process that it started (and that started in turn) is left; without a job,
    // the same as the first's end.
    virtual bool HaveAllEnded() = 0;
};

#endif
