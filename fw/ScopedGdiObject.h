// Owns one GDI object (palette, font, bitmap, brush, pen) and deletes it with DeleteObject.
// CScopedPalette is the palette object that the pictures' palettes live in.
#ifndef KORVELT_FW_SCOPEDGDIOBJECT_H
#define KORVELT_FW_SCOPEDGDIOBJECT_H

#include <windows.h>

template <class THandle>
class CScopedGdiObject
{
public:
    CScopedGdiObject() = default;
    explicit CScopedGdiObject(THandle h) : m_h(h) {}
    ~CScopedGdiObject() { Delete(); }
    CScopedGdiObject(CScopedGdiObject&& other) noexcept : m_h(other.Take()) {}
    CScopedGdiObject& operator=(CScopedGdiObject&& other) noexcept
    {
        if (this != &other)
        {
            Delete();
            m_h = other.Take();
        }
        return *this;
    }
    CScopedGdiObject(const CScopedGdiObject&) = delete;
    CScopedGdiObject& operator=(const CScopedGdiObject&) = delete;

    bool IsValid() const { return m_h != nullptr; }
    THandle Get() const { return m_h; }
    // Takes h over, deleting the object held before; false (and nothing held) when h is null.
    bool Attach(THandle h)
    {
        Delete();
        m_h = h;
        return h != nullptr;
    }
    THandle Take()
    {
        THandle h = m_h;
        m_h = nullptr;
        return h;
    }
    void Delete()
    {
        if (m_h)
            ::DeleteObject(m_h);
        m_h = nullptr;
    }

private:
    THandle m_h = nullptr;
};

using CScopedPalette = CScopedGdiObject<HPALETTE>;
using CScopedBitmap = CScopedGdiObject<HBITMAP>;
using CScopedFont = CScopedGdiObject<HFONT>;
using CScopedBrush = CScopedGdiObject<HBRUSH>;

#endif
