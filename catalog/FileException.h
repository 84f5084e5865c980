// Thrown when a catalogue file cannot be created, written or read back; carries the cause and the
// file's name.
#ifndef KORVELT_CATALOG_FILEEXCEPTION_H
#define KORVELT_CATALOG_FILEEXCEPTION_H

#include "catalog/CatalogException.h"

class CFileException : public CCatalogException
{
public:
    enum ECause
    {
        generic,
        fileNotFound,
    };

    CFileException(ECause cause, const std::string& strFileName)
        : CCatalogException("file error: " + strFileName), m_cause(cause), m_strFileName(strFileName)
    {
    }
    ECause GetCause() const { return m_cause; }
    const std::string& GetFileName() const { return m_strFileName; }

private:
    ECause m_cause;
    std::string m_strFileName;
};

#endif
