#pragma once

#include <string>

class DialogControls;

// Moves member values to and from a window's numbered controls, one field after another in
// the order of the calls, as a dialog's UpdateData does. While reading, the first field that
// does not hold a value of its kind stops the exchange: "Please enter an integer." is shown
// through the message box presenter, that field takes the focus with its text selected, and
// the members of that field and of every field after it keep their values.
//
// Use: DataExchange dx(Controls(), bSave); dx.Text(1004, m_str); dx.UInt(1012, m_nYear);
// return !dx.Failed();
class DataExchange final
{
public:
    DataExchange(DialogControls& controls, bool saveAndValidate);

    bool Failed() const { return m_failed; }

    void Text(int id, std::string& value);
    void Int(int id, int& value);
    void UInt(int id, unsigned& value);
    void Check(int id, bool& value);

    static constexpr const char* IntegerPrompt = "Please enter an integer.";
    static constexpr int PromptTimeoutMs = 100000;

private:
    bool Reading() const { return m_save && !m_failed; }
    void Fail(int id);

    DialogControls& m_controls;
    bool m_save;
    bool m_failed = false;
};
