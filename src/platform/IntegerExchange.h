#pragma once

#include <string_view>

class DialogControls;

// Integer data exchange of an edit field, as dialogs bind an int member to an edit.
//
// Loading writes "%d" of the value into the field. Saving reads the field: leading and
// trailing blanks around an optional sign and digits; anything else, an empty field or a
// number beyond the int range is no integer. Then "Please enter an integer." goes through
// the message-box presenter, the field gets the focus, the value is left as it was and the
// call returns false: the caller stops reading its other members there, so they keep their
// values too.
bool ExchangeInt(DialogControls& controls, int id, bool save, int& value);

// The integer of such a field's text; false when the text holds no integer.
bool ParseIntegerField(std::string_view text, int& value);

inline constexpr const char* NotAnIntegerText = "Please enter an integer.";
