#pragma once

#include <QValidator>

class QLineEdit;

// Holds an edit's text to what a fixed text field of the program can store: at most
// maxBytes bytes in the program's 8-bit text (UTF-8 on Linux), so that a name of wide
// characters stops where the field ends, not at a count of characters. An edit that would
// go past the bound (a key, or a paste) is refused whole.
class ByteLengthValidator final : public QValidator
{
    Q_OBJECT

public:
    ByteLengthValidator(int maxBytes, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

private:
    int m_maxBytes;
};

// Gives the edit a ByteLengthValidator of maxBytes.
void LimitTextBytes(QLineEdit* edit, int maxBytes);
