#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

// Acts on modal windows from a timer while the code under test runs their loops: each step
// waits until a modal window other than the ones already handled is active, then runs with
// it. Steps run in order; a driver that outlives its steps does nothing more.
class ModalDriver
{
public:
    using Step = std::function<void(QWidget* modal)>;

    explicit ModalDriver(int pollMs = 5);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Adds a step for the next modal window to appear.
    ModalDriver& Then(Step step);

    int StepsDone() const { return m_done; }
    bool AllDone() const { return m_done == static_cast<int>(m_steps.size()); }

private:
    void Poll();

    QObject m_context;
    std::vector<Step> m_steps;
    int m_done = 0;
    QPointer<QWidget> m_lastModal; // cleared when that window goes away
};

// Closes a modal window the way the operator's Esc would (reject).
void RejectModal(QWidget* modal);
// Clicks the numbered control of a template-built window.
void ClickItem(QWidget* window, int id);
