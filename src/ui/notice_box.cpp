#include "ui/notice_box.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"

int ShowNoticeUnlessHidden(QWidget* parent, const char* key, const QString& text,
                           const QStringList& buttons)
{
    const std::string ini = IniFilePath();
    if (IniReadInt(ini, SettingsSection, key, 0) != 0)
        return -1;
    QMessageBox box(QMessageBox::Information, NoticeCaption, text, QMessageBox::NoButton, parent);
    box.setCheckBox(new QCheckBox("Don't Show This Notice Again!", &box));
    QList<QPushButton*> added;
    for (const QString& label : buttons)
        added << box.addButton(label, added.isEmpty() ? QMessageBox::AcceptRole
                                                       : QMessageBox::RejectRole);
    box.setDefaultButton(added.value(0));
    box.exec();
    IniWriteText(ini, SettingsSection, key, box.checkBox()->isChecked() ? "1" : "0");
    return static_cast<int>(added.indexOf(static_cast<QPushButton*>(box.clickedButton())));
}
