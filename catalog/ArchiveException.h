// Thrown when archive data cannot be read as asked: it ends too early, or a string's length
// prefix claims more bytes than there are.
#ifndef KORVELT_CATALOG_ARCHIVEEXCEPTION_H
#define KORVELT_CATALOG_ARCHIVEEXCEPTION_H

#include "catalog/CatalogException.h"

class CArchiveException : public CCatalogException
{
public:
    enum ECause
    {
        generic,
        endOfFile,  // the data ends before the value does
    };

    CArchiveException(ECause cause, const std::string& strWhat) : CCatalogException(strWhat), m_cause(cause) {}
    ECause GetCause() const { return m_cause; }

private:
    ECause m_cause;
};

#endif
