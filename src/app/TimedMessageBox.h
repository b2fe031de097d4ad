#pragma once

#include <string>

// The two fixed forms of the program's message boxes.
enum class TimedBoxForm
{
    Warning, // exclamation icon, closes by itself after 100000 ms
    Information, // information icon, closes by itself after 1000 ms
};

inline constexpr int WarningBoxTimeoutMs = 100000;
inline constexpr int InformationBoxTimeoutMs = 1000;

// Shows text in a box captioned "Quorbel" with no owner; returns when OK is pressed or the
// form's time has run out.
void TimedMessageBox(const std::string& text, TimedBoxForm form);

// Asks a question in the same kind of box with Yes and No; true only for Yes. After the
// warning's time it closes by itself with No.
bool TimedQuestionBox(const std::string& text);
