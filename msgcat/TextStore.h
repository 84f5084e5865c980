// Copies of many short strings in a few large blocks: one allocation for thousands of names or
// texts instead of one each, and a copy never moves, so views of it stay valid as long as the
// store. Every copy is followed by a NUL, so its data() is also a C string.
#ifndef KORVELT_MSGCAT_TEXTSTORE_H
#define KORVELT_MSGCAT_TEXTSTORE_H

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class CTextStore
{
public:
    std::string_view Add(std::string_view text);

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_pFree = nullptr;
    std::size_t m_nFree = 0;
    std::size_t m_nBlockBytes = 0;  // in all blocks, for the size of the next one
};

#endif
