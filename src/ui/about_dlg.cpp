#include "ui/about_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/link_label.h"
#include "ui/link_opener.h"
#include "ui/software_support_dlg.h"
#include "ui/stat_bmp.h"

namespace {

// The picture, stretched to its frame whatever size the frame gets.
class PictureFrame : public QLabel {
public:
    explicit PictureFrame(QWidget* parent) : QLabel(parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setMinimumSize(360 + 2 * frameWidth(), 184 + 2 * frameWidth());
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        const QPixmap picture(":/images/about.png");
        const qreal ratio = devicePixelRatioF();
        QPixmap fitted = FitPicture(picture, contentsRect().size() * ratio);
        fitted.setDevicePixelRatio(ratio);
        setPixmap(fitted);
    }
};

}  // namespace

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent), link_(new LinkLabel("Visit the SKYLOG web site", this))
{
    setWindowTitle(" ");  // a box without a caption
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new PictureFrame(this));

    QFont bold = font();
    bold.setPointSize(14);
    link_->setFont(bold);
    link_->SetAddress(ProjectWebSite, "Click To Visit Web Site");
    link_->SetUnderline(true);
    link_->SetBold(true);
    link_->SetTooltipDelay(250);
    layout->addWidget(link_, 0, Qt::AlignHCenter);

    auto* buttons = new QHBoxLayout;
    auto* support = new QPushButton("&Support", this);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(support);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(support, &QPushButton::clicked, this, [this] {
        supportRequested_ = true;
        accept();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void ShowAbout(QWidget* parent)
{
    AboutDlg about(parent);
    about.exec();
    if (about.SupportRequested()) {
        SoftwareSupportDlg support(parent);
        support.exec();
    }
}
