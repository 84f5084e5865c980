#include "dib/win32/DibPictures.h"

#include "dib/DibFileException.h"
#include "dib/DibHeader.h"
#include "dib/win32/DibGdi.h"
#include "win/GlobalLock.h"

CDibPictures::CDibPictures(IPictureReporter& reporter) : m_reporter(reporter)
{
}

CDibPictures::~CDibPictures() = default;

void CDibPictures::Paint(HDC hDC, int nClientWidth, int nClientHeight, const RECT& rcTitle,
                         TileCounter countTiles) const
{
    if (m_picApp.IsValid())
    {
        int nWidth = 0;
        int nHeight = 0;
        if (!m_picApp.GetSize(nWidth, nHeight))
            return;
        int nColumns = 0;
        int nRows = 0;
        countTiles(nClientWidth, nClientHeight, nWidth, nHeight, nColumns, nRows);
        m_picApp.DrawTiled(hDC, nColumns, nRows);
    }
    if (m_picTitle.IsValid())
        m_picTitle.DrawStretched(hDC, rcTitle);
}

bool CDibPictures::RealizePalettes(HDC hDC, bool bBackground) const
{
    if ((m_picApp.IsValid() && !m_picApp.HasPalette()) || (m_picTitle.IsValid() && !m_picTitle.HasPalette()))
        return false;
    bool bChanged = false;
    for (const CDibPicture* pPicture : {&m_picApp, &m_picTitle})
    {
        if (pPicture->IsValid() && pPicture->RealizePalette(hDC, bBackground))
            bChanged = true;
    }
    return bChanged;
}

bool CDibPictures::LoadBitmaps()
{
    try
    {
        m_picApp.m_hDib = LoadDibFile(kAppPicturePath);
    }
    catch (const CDibFileException&)
    {
        m_reporter.Report(IPictureReporter::EBox::Program, kUnreadableText);
        m_picApp.m_hDib.Reset();
        return false;
    }
    if (!m_picApp.m_hDib.IsValid())
    {
        m_reporter.Report(IPictureReporter::EBox::Program, kUnreadableText);
        return false;
    }

    try
    {
        m_picTitle.m_hDib = LoadDibFile(kTitlePicturePath);
    }
    catch (const CDibFileException&)
    {
        m_picTitle.m_hDib.Reset();
    }
    PrepareBitmaps();
    return true;
}

bool CDibPictures::PreparePicture(CDibPicture& picture)
{
    bool bNegative;
    {
        CGlobalLock lock(picture.m_hDib.Get());
        if (!lock.Get())
            return false;
        bNegative = DibWidth(lock.Get()) > 0x7FFFFFFFu || DibHeight(lock.Get()) > 0x7FFFFFFFu;
    }
    if (bNegative)
    {
        picture.m_hDib.Reset();
        m_reporter.Report(IPictureReporter::EBox::PlainInformation, kTooLargeText);
        return false;
    }
    return MakeDibPalette(picture.m_hDib.Get(), picture.m_palette) != 0;
}

void CDibPictures::PrepareBitmaps()
{
    m_picApp.m_palette.Reset();
    if (!m_picApp.IsValid() || !PreparePicture(m_picApp))
        return;

    m_picTitle.m_palette.Reset();
    if (!m_picTitle.IsValid())
        return;
    PreparePicture(m_picTitle);
}
