#include "engine/graphics/Utf8.h"

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos++);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t code = 0;
    // The second byte's range depends on the lead: that is where overlong forms, surrogates
    // and code points past U+10FFFF are ruled out.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return kInvalidCodePoint;  // a continuation byte, C0, C1 or F5..FF
    }
    for (int k = 0; k < extra; ++k) {
        if (pos >= text.size()) return kInvalidCodePoint;
        const unsigned char next = byte(pos);
        const unsigned char lo = k == 0 ? low : 0x80;
        const unsigned char hi = k == 0 ? high : 0xBF;
        // The byte that breaks the sequence is not part of it: it starts the next character.
        if (next < lo || next > hi) return kInvalidCodePoint;
        code = (code << 6) | (next & 0x3F);
        ++pos;
    }
    return code;
}
