// The launcher's application object: selects the message file, refuses a second copy, and
// registers the template that ties the document, the main frame and the view together.
#ifndef KORVELT_APP_KORVELTAPP_H
#define KORVELT_APP_KORVELTAPP_H

#include "fw/WinApp.h"

#include <memory>

class CUnattendedMode;

class CKorveltApp : public CWinApp
{
public:
    CKorveltApp();
    ~CKorveltApp() override;

    bool InitInstance() override;

protected:
    void OnAppAbout();
    bool ProcessMessageTable(CMessageCall& call) override;

private:
    // Looks for a window captioned like ours; when one exists, says so and brings it forward.
    static bool ActivateRunningInstance();

    // An administrator's run, for as long as the process lives; none for a user's start.
    std::unique_ptr<CUnattendedMode> m_pUnattended;
};

#endif
