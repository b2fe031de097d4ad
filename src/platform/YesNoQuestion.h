#pragma once

#include <string>

// Asks the operator a question in a box captioned "Quorbel" with Yes and No, No the default;
// true for Yes. Closing the box counts as No.
bool AskYesNo(const std::string& text);
