// Drives modal dialogs in widget tests: an action runs on the next modal
// dialog once it is on screen.
#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <functional>

inline void OnNextDialog(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            OnNextDialog(action);
            return;
        }
        action(modal);
    });
}

inline QPushButton* ButtonNamed(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text().remove('&') == text)
            return button;
    return nullptr;
}
