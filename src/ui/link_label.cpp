#include "ui/link_label.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "ui/link_opener.h"

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);  // fitted to its text
    QFont labelFont = font();
    labelFont.setUnderline(true);
    labelFont.setWeight(QFont::Normal);
    setFont(labelFont);
    tooltipTimer_.setSingleShot(true);
    tooltipTimer_.setInterval(250);
    connect(&tooltipTimer_, &QTimer::timeout, this, [this] {
        if (over_)
            QToolTip::showText(QCursor::pos(), tooltipText_, this);
    });
    ApplyLook();
}

void LinkLabel::SetAddress(const QString& address, const QString& tooltipText)
{
    address_ = address;
    tooltipText_ = tooltipText.isEmpty() ? address : tooltipText;
    if (text().isEmpty())
        setText(address);
    adjustSize();
}

void LinkLabel::SetUnderline(bool underline)
{
    QFont labelFont = font();
    labelFont.setUnderline(underline);
    setFont(labelFont);
    update();
}

void LinkLabel::SetBold(bool bold)
{
    QFont labelFont = font();
    labelFont.setWeight(bold ? QFont::Bold : QFont::Normal);
    setFont(labelFont);
    adjustSize();
    update();
}

QColor LinkLabel::TextColor() const
{
    return over_ ? HoverColor : visited_ ? VisitedColor : LinkColor;
}

void LinkLabel::ApplyLook()
{
    QPalette look = palette();
    look.setColor(QPalette::WindowText, TextColor());
    setPalette(look);
    update();
}

void LinkLabel::Open()
{
    if (OpenLinkOrReport(address_)) {
        visited_ = true;
        ApplyLook();
    }
}

void LinkLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    over_ = true;
    ApplyLook();
    tooltipTimer_.start();
}

void LinkLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    over_ = false;
    tooltipTimer_.stop();
    ApplyLook();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Open();
}

bool LinkLabel::event(QEvent* event)
{
    // The tooltip comes from the label's own timer, after its own delay.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QLabel::event(event);
}
