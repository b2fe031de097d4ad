#include "platform/IntegerExchange.h"

#include "platform/DialogControls.h"
#include "platform/Format.h"
#include "platform/MessageBoxPresenter.h"

#include <QWidget>

#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// A box of the framework's own: it waits for OK, however long that takes.
constexpr int NoTimeout = std::numeric_limits<int>::max();

} // namespace

bool ParseIntegerField(std::string_view text, int& value)
{
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    const size_t digitsFrom = pos;
    long long magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (pos == digitsFrom)
        return false;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    if (pos != text.size())
        return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

bool ExchangeInt(DialogControls& controls, int id, bool save, int& value)
{
    if (!save) {
        controls.SetItemText(id, FormatString("%d", value));
        return true;
    }
    if (ParseIntegerField(controls.ItemText(id), value))
        return true;
    ShowMessageBox({NotAnIntegerText, "Quorbel", MessageIcon::Warning, NoTimeout});
    if (QWidget* field = controls.Item(id))
        field->setFocus(Qt::OtherFocusReason);
    return false;
}
