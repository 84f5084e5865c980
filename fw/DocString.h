// The document string of a document template: fields separated by "\n" (window title, document
// name, new-document type name, file filter name, filter extension). Portable.
#ifndef KORVELT_FW_DOCSTRING_H
#define KORVELT_FW_DOCSTRING_H

#include <string>
#include <string_view>

class CDocString
{
public:
    enum EField
    {
        windowTitle = 0,
        docName = 1,
        fileNewName = 2,
        filterName = 3,
        filterExt = 4,
    };

    explicit CDocString(std::string_view text) : m_strText(text) {}

    // The field's text; empty when the string has fewer fields.
    std::string GetField(EField field) const;
    // The pattern for the file dialogs: "*" and the extension (empty without an extension).
    std::string GetFilterPattern() const;

private:
    std::string m_strText;
};

#endif
