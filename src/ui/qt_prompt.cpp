#include "ui/qt_prompt.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "ui/merge_progress_dlg.h"
#include "ui/specify_year_dlg.h"
#include "ui/help_window.h"
#include "ui/incorrect_format_dlg.h"

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::optional<std::string> Chosen(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

// "dat" of a filter "Data Files (*.dat *.DAT);;All Files (*)"; empty when
// the first pattern has no extension.
QString FirstSuffix(const QString& filter)
{
    const int star = filter.indexOf("*.");
    if (star < 0)
        return {};
    int end = star + 2;
    while (end < filter.size() && filter[end].isLetterOrNumber())
        ++end;
    return filter.mid(star + 2, end - star - 2);
}

QMessageBox::Icon BoxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Stop:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

}  // namespace

QtPrompt::QtPrompt(std::function<QWidget*()> parent) : parent_(std::move(parent)) {}

PromptAnswer QtPrompt::MessageBox(const std::string& text, const std::string& caption,
                                  PromptIcon icon, PromptButtons buttons)
{
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    if (buttons == PromptButtons::OkCancel)
        standard = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoDefaultNo)
        standard = QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(BoxIcon(icon), Q(caption), Q(text), standard, Parent());
    if (buttons == PromptButtons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    // A question asked during a long operation must show the normal pointer.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = box.exec();
    if (waiting)
        QApplication::restoreOverrideCursor();
    switch (result) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    default:
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok
               : buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel
                                                    : PromptAnswer::No;
    }
}

void QtPrompt::BeginWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPrompt::EndWaitCursor()
{
    QApplication::restoreOverrideCursor();
    // Moving the pointer to where it is makes the new shape show at once.
    QCursor::setPos(QCursor::pos());
}

void QtPrompt::PumpMessages()
{
    QCoreApplication::processEvents();
}

std::optional<std::string> QtPrompt::ChooseOpenFile(const std::string& initialPath,
                                                    const std::string& filter)
{
    QString folder = Q(initialPath);
    QStringList filters = Q(filter).split(";;");
    // An initial name such as "/bulletins/*.BUL" opens that folder showing those files.
    const QFileInfo initial(folder);
    if (initial.fileName().contains('*')) {
        folder = initial.path();
        const QString pattern = initial.fileName();
        const QString both = pattern + " " + pattern.toLower();
        if (!filters.isEmpty() && !filters.first().contains(pattern))
            filters.prepend(pattern.mid(pattern.lastIndexOf('.') + 1).toUpper() + " Files (" + both + ")");
    }
    QFileDialog dialog(Parent(), QString(), folder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtPrompt::ChooseSaveFile(const std::string& initialPath,
                                                    const std::string& filter)
{
    const QFileInfo initial(Q(initialPath));
    QFileDialog dialog(Parent(), QString(), initialPath.empty() ? QString() : initial.path());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(Q(filter).split(";;"));
    // A name typed without an extension gets the filter's first one, so that
    // the file chooser's filter shows the file afterwards.
    dialog.setDefaultSuffix(FirstSuffix(Q(filter)));
    if (!initialPath.empty())
        dialog.selectFile(initial.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return Chosen(dialog.selectedFiles().first());
}

std::optional<std::string> QtPrompt::ChooseFolder(const std::string& initialFolder,
                                                  const std::string& title)
{
    return Chosen(QFileDialog::getExistingDirectory(Parent(), Q(title), Q(initialFolder)));
}

ConversionChoice QtPrompt::AskConvertVersion2File()
{
    IncorrectFormatDlg dialog(Parent());
    QObject::connect(&dialog, &IncorrectFormatDlg::helpRequested,
                     [this] { ShowHelp("File Format Conversion"); });
    return dialog.exec() == QDialog::Accepted ? ConversionChoice::Convert
                                              : ConversionChoice::DoNotConvert;
}

std::optional<int> QtPrompt::AskBulletinYear(int initialYear)
{
    SpecifyYearDlg dialog(initialYear, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Year();
}

std::optional<std::string> QtPrompt::AskSearchText(const std::string& initialText)
{
    SearchTextDlg dialog(Q(initialText), Parent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Text().toStdString();
}

void QtPrompt::ShowHelp(const std::string& keyword)
{
    HelpRequest(Q(keyword));
}

void QtPrompt::BeginProgress(const std::string& text)
{
    delete progress_;
    progress_ = new MergeProgressDlg(Q(text), Parent());
    progress_->setAttribute(Qt::WA_DeleteOnClose);
    progress_->show();
    if (QWidget* parent = Parent())
        progress_->move(parent->geometry().center() - progress_->rect().center());
    QCoreApplication::processEvents();
}

void QtPrompt::SetProgress(int percent)
{
    if (progress_)
        progress_->SetPosition(percent);
}

void QtPrompt::EndProgress()
{
    if (progress_)
        progress_->close();
    progress_ = nullptr;
}
