#pragma once

#include <cstddef>
#include <string_view>

// The code point that starts at byte `pos` of UTF-8 text; pos moves past it. Text that is not
// well-formed UTF-8 (a stray continuation byte, a sequence cut short, an overlong form, a
// surrogate, anything above U+10FFFF) gives kInvalidCodePoint once for each maximal piece of
// a sequence that could have started well, as Unicode recommends: "\xE3\x81" followed by "A"
// is one invalid character and then 'A'. Call only with pos < text.size().
constexpr char32_t kInvalidCodePoint = 0xFFFD;
char32_t NextCodePoint(std::string_view text, std::size_t& pos);
