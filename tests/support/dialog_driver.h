// Widget tests: an action runs on the next modal dialog once it is shown; waits keep the event loop going.
#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "support/wait_until.h"

inline void OnNextDialog(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action] {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(modal);
        else
            OnNextDialog(action);
    });
}

inline QPushButton* ButtonNamed(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text().remove('&') == text)
            return button;
    return nullptr;
}

// Runs the event loop until done() holds or timeoutMs pass; true when it held.
template <typename Predicate>
bool SpinUntil(Predicate done, int timeoutMs = 20000)
{
    return WaitUntil(done, timeoutMs, [] { QApplication::processEvents(QEventLoop::AllEvents, 20); });
}
