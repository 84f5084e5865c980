// The launcher's application object: selects the message file, refuses a second copy, and
// registers the template that ties the document, the main frame and the view together.
#ifndef KORVELT_APP_KORVELTAPP_H
#define KORVELT_APP_KORVELTAPP_H

#include "fw/WinApp.h"

class CKorveltApp : public CWinApp
{
public:
    CKorveltApp() = default;
    ~CKorveltApp() override = default;

    bool InitInstance() override;

protected:
    void OnAppAbout();
    bool ProcessMessageTable(CMessageCall& call) override;

private:
    // Looks for a window captioned like ours; when one exists, says so and brings it forward.
    static bool ActivateRunningInstance();
};

#endif
