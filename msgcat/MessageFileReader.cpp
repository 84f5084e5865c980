#include "MessageFileReader.h"

#include "AsciiText.h"

int32_t CMessageFileReader::ParseNumber(std::string_view value)
{
    std::size_t i = 0;
    bool bNegative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        bNegative = value[i++] == '-';
    uint32_t n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        n = n * 10u + static_cast<uint32_t>(value[i] - '0');
    if (bNegative)
        n = 0u - n;
    return static_cast<int32_t>(n);
}

void CMessageFileReader::Read(std::string_view content, CNameTable& names, const MessageSink& onMessage)
{
    // Text mode: a Ctrl-Z ends the file wherever it stands.
    const std::size_t eof = content.find('\x1A');
    if (eof != std::string_view::npos)
        content = content.substr(0, eof);

    bool bInMessages = false;
    std::size_t pos = 0;
    while (pos < content.size())
    {
        std::size_t end = content.find('\n', pos);
        if (end == std::string_view::npos)
            end = content.size();
        // The CR of a CR LF pair is a blank, so trimming takes it off with the rest.
        const std::string_view line = Trim(content.substr(pos, end - pos));
        pos = end + 1;

        if (line.empty() || line.front() == ';')
            continue;
        if (!bInMessages && EqualsNoCaseAscii(line, "[MESSAGES]"))
        {
            bInMessages = true;
            continue;
        }

        std::string_view name;
        std::string_view value = line;
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos)
        {
            name = TrimRight(line.substr(0, eq));
            value = TrimLeft(line.substr(eq + 1));
        }

        if (!bInMessages)
        {
            names[std::string(name)] = ParseNumber(value);
        }
        else
        {
            // A message whose name was never defined has no number to file it under; it is
            // left out and the reading goes on.
            const auto it = names.find(std::string(name));
            if (it != names.end())
                onMessage(it->second, value);
        }
    }
}
