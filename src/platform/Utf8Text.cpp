#include "platform/Utf8Text.h"

#include <cstdio>

namespace {

// Length of the well-formed UTF-8 sequence at the start of text; 0 when there is none.
size_t SequenceLength(std::string_view text)
{
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80; // bounds of the second byte, which rule out overlong forms,
    unsigned char high = 0xBF; // surrogates and code points past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

bool IsUtf8Text(std::string_view text)
{
    while (!text.empty()) {
        const size_t length = SequenceLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

std::string ReadableText(std::string_view text)
{
    std::string readable;
    readable.reserve(text.size());
    while (!text.empty()) {
        size_t length = SequenceLength(text);
        if (length == 0) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(text[0]));
            readable += escape;
            length = 1;
        } else {
            readable.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return readable;
}
