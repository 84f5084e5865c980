// The form's controls laid out from their design rectangles: the places the dialog template
// gives them, taken once, scaled to each new client size with CFormLayout's arithmetic.
#ifndef KORVELT_VIEW_WIN32_FORMCONTROLLAYOUT_H
#define KORVELT_VIEW_WIN32_FORMCONTROLLAYOUT_H

#include "view/FormLayout.h"

#include <windows.h>

class CFormControlLayout
{
public:
    // The form's design size, and the controls' places in its client coordinates. Those are
    // taken at the first call only: a repeated initial update finds the controls already scaled
    // to the window, and scaling those again would make the layout drift.
    void TakeDesign(HWND hForm, SIZE sizeForm);
    // Moves the controls for the form's client size. Without zoom-out the controls never shrink
    // and a scroll position left behind by a larger size is reset; with it the scroll bars go.
    void Apply(HWND hForm, bool bZoomOut);

private:
    struct CControl
    {
        int m_nID;
        CLayoutRect m_rcDesign;
    };

    CLayoutRect m_rcForm;
    CControl m_controls[4];
    bool m_bHasDesign = false;
    bool m_bApplying = false;  // moving a control may resize the form again
};

#endif
