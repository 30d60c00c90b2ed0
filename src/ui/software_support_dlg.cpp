#include "ui/software_support_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/frame.h"
#include "ui/link_label.h"
#include "ui/link_opener.h"

SoftwareSupportDlg::SoftwareSupportDlg(QWidget* parent)
    : QDialog(parent), mail_(new LinkLabel({}, this)), web_(new LinkLabel({}, this)),
      version_(new QLabel(this))
{
    setWindowTitle("Software Support");
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        "Questions, suggestions and problem reports are welcome. Please say which "
        "version you are running, what you did and what happened; for a problem with "
        "a data file or a bulletin, attach the file if you can.",
        this);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addWidget(new QLabel("Send an email to the SKYLOG project:", this));
    const QString mail = ProjectSupportMail;
    mail_->setText(mail.mid(mail.indexOf(':') + 1));
    mail_->SetAddress(mail, "Click To Send EMail");
    mail_->SetTooltipDelay(250);
    layout->addWidget(mail_);
    layout->addWidget(new QLabel("or report the problem on the project's issue page:", this));
    web_->SetAddress(ProjectIssuesPage, "Click To Visit Web Site");
    web_->SetTooltipDelay(250);
    layout->addWidget(web_);
    version_->setText(QString("You are currently running version %1 of the software.").arg(VersionText()));
    layout->addWidget(version_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setWindowTitle(ProgramTitleWithVersion());
}
