#include "app/TimedMessageBox.h"

#include "platform/MessageBoxPresenter.h"

void TimedMessageBox(const std::string& text, TimedBoxForm form)
{
    const bool warning = form == TimedBoxForm::Warning;
    ShowMessageBox({text, "Quorbel", warning ? MessageIcon::Warning : MessageIcon::Information,
        warning ? WarningBoxTimeoutMs : InformationBoxTimeoutMs});
}

bool TimedQuestionBox(const std::string& text)
{
    return AskMessageBox({text, "Quorbel", MessageIcon::Question, WarningBoxTimeoutMs});
}
