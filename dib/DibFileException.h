// Thrown when a bitmap file that exists cannot be opened for exclusive reading or cannot be
// read; the holder of the pictures catches it. Carries the file's path.
#ifndef KORVELT_DIB_DIBFILEEXCEPTION_H
#define KORVELT_DIB_DIBFILEEXCEPTION_H

#include <stdexcept>
#include <string>

class CDibFileException : public std::runtime_error
{
public:
    explicit CDibFileException(const std::string& strPath)
        : std::runtime_error("cannot read " + strPath), m_strPath(strPath)
    {
    }

    const std::string& GetPath() const { return m_strPath; }

private:
    std::string m_strPath;
};

#endif
