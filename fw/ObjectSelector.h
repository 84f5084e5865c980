// Keeps a GDI object selected into a device context (SelectObject) for the holder's lifetime
// and selects the earlier object back at the end; owns neither object.
#ifndef KORVELT_FW_OBJECTSELECTOR_H
#define KORVELT_FW_OBJECTSELECTOR_H

#include <windows.h>

class CObjectSelector
{
public:
    CObjectSelector(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(::SelectObject(hDC, hObject))
    {
        if (m_hOld == HGDI_ERROR)
            m_hOld = nullptr;
    }
    ~CObjectSelector() { Restore(); }
    CObjectSelector(CObjectSelector&& other) noexcept : m_hDC(other.m_hDC), m_hOld(other.m_hOld)
    {
        other.m_hOld = nullptr;
    }
    CObjectSelector& operator=(CObjectSelector&& other) noexcept
    {
        if (this != &other)
        {
            Restore();
            m_hDC = other.m_hDC;
            m_hOld = other.m_hOld;
            other.m_hOld = nullptr;
        }
        return *this;
    }
    CObjectSelector(const CObjectSelector&) = delete;
    CObjectSelector& operator=(const CObjectSelector&) = delete;

    // The object selected before; null when the selection failed.
    HGDIOBJ GetPrevious() const { return m_hOld; }

private:
    void Restore()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        m_hOld = nullptr;
    }

    HDC m_hDC;
    HGDIOBJ m_hOld;
};

#endif
