// Owns one menu (DestroyMenu) until a window or another menu takes it over with Release().
#ifndef KORVELT_FW_MENUHANDLE_H
#define KORVELT_FW_MENUHANDLE_H

#include <windows.h>

#include <utility>

class CMenuHandle
{
public:
    CMenuHandle() = default;
    explicit CMenuHandle(HMENU hMenu) : m_hMenu(hMenu) {}
    CMenuHandle(CMenuHandle&& other) noexcept : m_hMenu(other.Release()) {}
    CMenuHandle& operator=(CMenuHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    CMenuHandle(const CMenuHandle&) = delete;
    CMenuHandle& operator=(const CMenuHandle&) = delete;
    ~CMenuHandle() { Reset(); }

    HMENU Get() const { return m_hMenu; }
    bool IsValid() const { return m_hMenu != nullptr; }
    HMENU Release() { return std::exchange(m_hMenu, nullptr); }
    void Reset(HMENU hMenu = nullptr)
    {
        if (m_hMenu != nullptr)
            DestroyMenu(m_hMenu);
        m_hMenu = hMenu;
    }

private:
    HMENU m_hMenu = nullptr;
};

#endif
