#include "platform/YesNoQuestion.h"

#include "platform/MessageBoxCaption.h"
#include "platform/Text.h"

#include <QMessageBox>

bool AskYesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quorbel"), ToQt(text),
        QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    FitCaption(&box);
    return box.exec() == QMessageBox::Yes;
}
