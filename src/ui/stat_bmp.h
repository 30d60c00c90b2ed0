// The status bar: a message pane and the clickable logo pane on the right.
#pragma once

#include <QLabel>
#include <QStatusBar>

class LogoPane : public QLabel {
    Q_OBJECT
public:
    explicit LogoPane(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdatePicture();
};

class StatBmp : public QStatusBar {
    Q_OBJECT
public:
    explicit StatBmp(QWidget* parent = nullptr);
    LogoPane* Logo() const { return logo_; }

private:
    LogoPane* logo_;
};

// Draws a picture unscaled when the target has its size, otherwise stretched smoothly.
QPixmap FitPicture(const QPixmap& picture, const QSize& target);
