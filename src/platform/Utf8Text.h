#pragma once

#include <string>
#include <string_view>

// File names here are UTF-8: Qt maps every byte that is not part of well-formed UTF-8 onto one
// replacement character, so two names that differ only in such bytes would name one file.

// True when text is well-formed UTF-8 (no stray, overlong or surrogate sequences).
bool IsUtf8Text(std::string_view text);

// text for a message: every byte outside well-formed UTF-8 written as \xNN ("Damm\xE4").
std::string ReadableText(std::string_view text);
