// Decoding UTF-8 one code point at a time; malformed bytes read as U+FFFD.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// Reads the code point at text[pos] and advances pos past it.
char32_t NextCodePoint(std::string_view text, size_t& pos);

}  // namespace platform
