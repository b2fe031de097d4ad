#pragma once

#include "platform/MessageBoxPresenter.h"

#include <string>
#include <vector>

// Records message boxes instead of showing them, for as long as it lives. Questions are
// recorded too and answered with answerYes.
class RecordingPresenter final : public MessageBoxPresenter
{
public:
    RecordingPresenter() { m_previous = SetMessageBoxPresenter(this); }
    ~RecordingPresenter() override { SetMessageBoxPresenter(m_previous); }
    RecordingPresenter(const RecordingPresenter&) = delete;
    RecordingPresenter& operator=(const RecordingPresenter&) = delete;

    void Show(const MessageBoxRequest& request) override { requests.push_back(request); }
    bool Ask(const MessageBoxRequest& request) override
    {
        requests.push_back(request);
        return answerYes;
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const MessageBoxRequest& r : requests)
            texts.push_back(r.text);
        return texts;
    }

    std::vector<MessageBoxRequest> requests;
    bool answerYes = false;

private:
    MessageBoxPresenter* m_previous = nullptr;
};
