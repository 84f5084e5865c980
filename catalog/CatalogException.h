// Base of the exceptions that catalogue reading throws to its caller, in the manner of the
// framework's own: the window's dispatch reports them, the tools print them.
#ifndef KORVELT_CATALOG_CATALOGEXCEPTION_H
#define KORVELT_CATALOG_CATALOGEXCEPTION_H

#include <stdexcept>
#include <string>

class CCatalogException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

#endif
