#include "platform/ByteLengthValidator.h"

#include "platform/Text.h"

#include <QLineEdit>

ByteLengthValidator::ByteLengthValidator(int maxBytes, QObject* parent)
    : QValidator(parent)
    , m_maxBytes(maxBytes)
{
}

QValidator::State ByteLengthValidator::validate(QString& input, int&) const
{
    return FromQt(input).size() <= static_cast<size_t>(m_maxBytes) ? Acceptable : Invalid;
}

void LimitTextBytes(QLineEdit* edit, int maxBytes)
{
    edit->setValidator(new ByteLengthValidator(maxBytes, edit));
}
