#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

ModalDriver::ModalDriver(int pollMs)
{
    auto* timer = new QTimer(&m_context);
    QObject::connect(timer, &QTimer::timeout, &m_context, [this] { Poll(); });
    timer->start(pollMs);
}

ModalDriver::~ModalDriver() = default;

ModalDriver& ModalDriver::Then(Step step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

void ModalDriver::Poll()
{
    if (AllDone())
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == m_lastModal)
        return;
    m_lastModal = modal;
    const int index = m_done++;
    m_steps[static_cast<size_t>(index)](modal);
}

void RejectModal(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
}

void ClickItem(QWidget* window, int id)
{
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (button->property("controlId").toInt() == id) {
            button->click();
            return;
        }
    }
}
