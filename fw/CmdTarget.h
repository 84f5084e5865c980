// Base of everything that handles commands (windows, the document, the application): looks
// calls up in the class's message table and passes commands on along the framework's route.
#ifndef KORVELT_FW_CMDTARGET_H
#define KORVELT_FW_CMDTARGET_H

#include "fw/MessageTable.h"

class CCmdTarget
{
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // A command (or its menu update, or the question whether it has a handler) for this object;
    // windows pass it on to their view, document and application.
    virtual bool OnCmdMsg(CMessageCall& call) { return ProcessMessageTable(call); }

protected:
    // Each class with handlers overrides this with its own static table:
    //     static const CMessageMapEntry<CMyWnd> s_table[] = { HandleSize(&CMyWnd::OnSize), ... };
    //     return call.Run(s_table, this) || CBaseWnd::ProcessMessageTable(call);
    virtual bool ProcessMessageTable(CMessageCall& call) { return false; }
};

#endif
