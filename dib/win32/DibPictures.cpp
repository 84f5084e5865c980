#include "DibPictures.h"

#include "DibFileException.h"
#include "DibGdi.h"
#include "DibHeader.h"
#include "GlobalLock.h"

#include <new>

CDibPictures::CDibPictures(IPictureReporter& reporter) : m_reporter(reporter)
{
}

CDibPictures::~CDibPictures()
{
    m_hDibApp.Reset();
    m_pPalApp.reset();
    m_hDibTitle.Reset();
    m_pPalTitle.reset();
}

bool CDibPictures::LoadBitmaps()
{
    try
    {
        m_hDibApp = LoadDibFile(kAppPicturePath);
    }
    catch (const CDibFileException&)
    {
        m_reporter.Report(IPictureReporter::EBox::Program, kUnreadableText);
        m_hDibApp.Reset();
        return false;
    }
    if (!m_hDibApp.IsValid())
    {
        m_reporter.Report(IPictureReporter::EBox::Program, kUnreadableText);
        return false;
    }

    try
    {
        m_hDibTitle = LoadDibFile(kTitlePicturePath);
    }
    catch (const CDibFileException&)
    {
        m_hDibTitle.Reset();
    }
    PrepareBitmaps();
    return true;
}

bool CDibPictures::PreparePicture(CScopedGlobal& hDib, std::unique_ptr<CScopedPalette>& pPalette)
{
    bool bNegative;
    {
        CGlobalLock lock(hDib.Get());
        if (!lock.Get())
            return false;
        bNegative = DibWidth(lock.Get()) > 0x7FFFFFFFu || DibHeight(lock.Get()) > 0x7FFFFFFFu;
    }
    if (bNegative)
    {
        hDib.Reset();
        m_reporter.Report(IPictureReporter::EBox::PlainInformation, kTooLargeText);
        return false;
    }

    pPalette.reset(new (std::nothrow) CScopedPalette);
    if (!pPalette)
    {
        hDib.Reset();
        return false;
    }
    if (!MakeDibPalette(hDib.Get(), *pPalette))
    {
        pPalette.reset();
        return false;
    }
    return true;
}

void CDibPictures::PrepareBitmaps()
{
    m_pPalApp.reset();
    if (!m_hDibApp.IsValid() || !PreparePicture(m_hDibApp, m_pPalApp))
        return;

    m_pPalTitle.reset();
    if (!m_hDibTitle.IsValid())
        return;
    PreparePicture(m_hDibTitle, m_pPalTitle);
}
