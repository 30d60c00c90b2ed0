#include "ui/stat_bmp.h"

#include <QApplication>
#include <QMouseEvent>

#include "ui/link_opener.h"

// The pictures are compiled into the program's static library.
static void InitPictures()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(skylog);
        return true;
    }();
    (void)done;
}

QPixmap FitPicture(const QPixmap& picture, const QSize& target)
{
    if (picture.isNull() || picture.size() == target || target.isEmpty())
        return picture;
    return picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

LogoPane::LogoPane(QWidget* parent) : QLabel(parent)
{
    InitPictures();
    setFixedWidth(75);
    setContentsMargins(1, 1, 1, 1);
    setCursor(Qt::PointingHandCursor);
    setToolTip(MakerSite);
    setAlignment(Qt::AlignCenter);
}

void LogoPane::UpdatePicture()
{
    setPixmap(FitPicture(QPixmap(":/images/logo.png"), contentsRect().size()));
}

void LogoPane::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    UpdatePicture();
}

void LogoPane::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

StatBmp::StatBmp(QWidget* parent) : QStatusBar(parent), logo_(new LogoPane(this))
{
    addPermanentWidget(logo_);
    connect(logo_, &LogoPane::clicked, this, [] { OpenLinkOrReport(MakerSite); });
}
