#include "platform/DataExchange.h"

#include "platform/DialogControls.h"
#include "platform/Format.h"
#include "platform/MessageBoxPresenter.h"
#include "platform/TextNumber.h"

#include <QLineEdit>

#include <climits>

DataExchange::DataExchange(DialogControls& controls, bool saveAndValidate)
    : m_controls(controls)
    , m_save(saveAndValidate)
{
}

void DataExchange::Text(int id, std::string& value)
{
    if (!m_save)
        m_controls.SetItemText(id, value);
    else if (Reading())
        value = m_controls.ItemText(id);
}

void DataExchange::Int(int id, int& value)
{
    if (!m_save) {
        m_controls.SetItemText(id, FormatString("%d", value));
        return;
    }
    if (!Reading())
        return;
    if (const auto number = WholeInteger(m_controls.ItemText(id), INT_MIN, INT_MAX))
        value = static_cast<int>(*number);
    else
        Fail(id);
}

void DataExchange::UInt(int id, unsigned& value)
{
    if (!m_save) {
        m_controls.SetItemText(id, FormatString("%u", value));
        return;
    }
    if (!Reading())
        return;
    if (const auto number = WholeInteger(m_controls.ItemText(id), 0, UINT_MAX))
        value = static_cast<unsigned>(*number);
    else
        Fail(id);
}

void DataExchange::Check(int id, bool& value)
{
    if (!m_save)
        m_controls.SetCheck(id, value);
    else if (Reading())
        value = m_controls.IsChecked(id);
}

void DataExchange::Fail(int id)
{
    m_failed = true;
    ShowMessageBox({IntegerPrompt, "Quorbel", MessageIcon::Warning, PromptTimeoutMs});
    if (QWidget* field = m_controls.Item(id)) {
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
    }
}
