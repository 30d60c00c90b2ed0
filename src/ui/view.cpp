#include "ui/view.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cstdlib>
#include <QPainter>
#include <QScrollBar>

#include "ui/help_window.h"
#include "ui/link_opener.h"
#include "ui/insert_bulletin_dlg.h"
#include "ui/internet_locate_dlg.h"
#include "ui/single_download.h"
#include "bulletin/bulletin_reading.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/averages.h"
#include "ui/data_editor_dlg.h"
#include "data/data_file.h"
#include "data/number_text.h"
#include "data/prompt.h"
#include "data/record_array.h"
#include "ui/options_sheet.h"
#include "ui/record_dlg.h"
#include "data/text_file.h"
#include "import/index_import_command.h"
#include "plot/plot_image.h"
#include "plot/options_apply.h"
#include "plot/plot_navigation.h"
#include "plot/plot_state.h"

namespace {

constexpr const char* ProgramTitle = "SKYLOG Solar Data Plotter";
constexpr const char* SaveQuestion = "Data File Has Changed - Do You Want To Save It?";

// Asks the changed-data question; false only when the user wanted the data
// saved and it could not be.
bool OfferToSave(const char* question)
{
    if (!Records().DataChanged())
        return true;
    if (Prompt().MessageBox(question, "FILE CHANGED", PromptIcon::Question,
                            PromptButtons::YesNo) != PromptAnswer::Yes) {
        Records().SetDataChanged(0);
        return true;
    }
    return WriteDataFile();
}

// The narrowest view whose readout columns still hold their labels and the
// longest values: the layout gives each column q + 14 (or 15) average
// characters, with q = (width - 60 average characters - 35) / 3.
int MinimumPlotWidth(const QFontMetrics& metrics)
{
    const int w = metrics.averageCharWidth();
    int q = 0;
    for (auto [text, columns] : {std::pair{"Date: 12/31/2026   ", 14},
                                 {"Sun Spots: 9999    ", 14},
                                 {"Solar Flux: 999.9  ", 15}})
        q = std::max(q, metrics.horizontalAdvance(text) - columns * w);
    return 3 * q + 60 * w + 35 + 3;
}

}  // namespace

View::View(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::WheelFocus);
    setMinimumSize(MinimumPlotWidth(fontMetrics()), 300);
    startupTimer_.setSingleShot(true);
    startupTimer_.setInterval(250);
    connect(&startupTimer_, &QTimer::timeout, this, &View::OnStartupTimer);
    ConnectPlotToDataFile();
    Plot().scrollRangeChanged = [this] { UpdateScrollBar(); };
    DataFileNotifications().pathNeeded = [] {
        if (const auto path = Prompt().ChooseSaveFile(DataFile().path, DataFileFilter))
            DataFile().path = *path;
    };
}

View::~View()
{
    Plot().scrollRangeChanged = nullptr;
    DataFileNotifications().pathNeeded = nullptr;
}

void View::SetScrollBar(QScrollBar* bar)
{
    scrollBar_ = bar;
    connect(bar, &QScrollBar::actionTriggered, this, &View::OnScrollAction);
}

void View::CreatePlotPens()
{
    pens_ = ::CreatePlotPens(Settings());
}

void View::InitialUpdate(const std::string& file)
{
    LoadSettings();
    // The first run leaves a configuration file behind at once.
    if (FirstRun())
        SaveSettings();
    CreatePlotPens();
    Plot().AveragesComputed = 0;
    Plot().PointArray.clear();
    // A configured name without a folder is looked for in the program folder.
    if (!DataFile().path.empty() && DataFile().path.find('/') == std::string::npos)
        DataFile().path = ProgramFile(DataFile().path);
    if (DataFile().path.empty()) {
        DataFile().path = ProgramFile("GRAPH.DAT");
        if (!FileExists(DataFile().path))
            DataFile().path.clear();
    }
    if (!file.empty())
        DataFile().path = file;
    startupTimer_.start();
}

void View::OnStartupTimer()
{
    startupTimer_.stop();
    ReadDataFile();
    DataReplaced();
    ReportLinesNotKept();
    if (FirstRun()) {
        Prompt().MessageBox("Since this is the first time you have run this\nprogram, the HELP "
                            "file will be displayed",
                            ProgramTitle, PromptIcon::Information, PromptButtons::Ok);
        HelpRequest();
    }
}

void View::OnFileNew()
{
    // The question comes before the configuration names the file to read
    // next, so that Yes saves to the file the records came from.
    if (!OfferToSave(SaveQuestion))
        return;
    InitialUpdate();
}

void View::OnFileOpen()
{
    if (Records().DataChanged()) {
        const PromptAnswer answer =
            Prompt().MessageBox("Data File Has Changed - Do You Want To Save It First?",
                                "FILE CHANGED", PromptIcon::Question, PromptButtons::YesNo);
        // A failed save keeps the changed records and their mark.
        if (answer == PromptAnswer::Yes && !WriteDataFile())
            return;
        emit dataFileNamed();  // a save may have asked for the name
    }
    // A cancelled chooser leaves the records as they are, changed or not, so
    // that the exit still asks about unsaved changes.
    const auto path = Prompt().ChooseOpenFile(DataFile().path, DataFileFilter);
    if (!path)
        return;
    Records().SetDataChanged(0);
    DataFile().path = *path;
    ReadDataFile();
    DataReplaced();
    ReportLinesNotKept();
}

void View::OpenDataFile(const std::string& path)
{
    if (!OfferToSave("Data File Has Changed - Do You Want To Save It First?"))
        return;
    Records().SetDataChanged(0);
    DataFile().path = path;
    ReadDataFile();
    DataReplaced();
}

void View::OnFileSave()
{
    WriteDataFile();
    emit dataFileNamed();  // a file without a name was given one
}

void View::OnFileSaveAs()
{
    const auto path = Prompt().ChooseSaveFile(DataFile().path, DataFileFilter);
    if (!path)
        return;
    const std::string previous = DataFile().path;
    DataFile().path = *path;
    // A file that could not be written is not the data file afterwards.
    if (!WriteDataFile())
        DataFile().path = previous;
    emit dataFileNamed();
}

void View::ClosePrompt()
{
    OfferToSave(SaveQuestion);
}

bool View::Shutdown()
{
    if (!OfferToSave(SaveQuestion))
        return false;
    Records().FreeRecords();
    SaveSettings();
    return true;
}

void View::UpdateScrollBar()
{
    if (!scrollBar_ || !scrollBarReady_)
        return;
    scrollBar_->setRange(0, ScrollMaximum());
    scrollBar_->setPageStep(Settings().CloseDays > 0 ? Settings().CloseDays : 1);
    scrollBar_->setValue(ScrollPosition());
}

void View::ReloadDataFile()
{
    ReadDataFile();
    DataReplaced();
}

void View::DataReplaced()
{
    InvalidatePlot();
    // A refused file leaves no records, and the bar must not offer to pan them.
    UpdateScrollBar();
    emit recordCountChanged();
}

void View::InvalidatePlot()
{
    plotDirty_ = true;
    readouts_[0].reset();
    readouts_[1].reset();
    update();
}

void View::InvalidateCloseup()
{
    plotDirty_ = true;
    // The closeup's readout named a day of the old window.
    readouts_[1].reset();
    const PixelRect& c = geometry_.layout.closeup;
    update(QRect(c.left, c.top, c.Width(), c.Height() + 58));
}

void View::OnScrollAction(int action)
{
    bool moved = true;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        moved = MoveOneDayBack();
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        moved = MoveOneDayForward();
        break;
    case QAbstractSlider::SliderPageStepSub:
        moved = PageBack();
        break;
    case QAbstractSlider::SliderPageStepAdd:
        moved = PageForward();
        break;
    case QAbstractSlider::SliderMove:
        moved = JumpTo(scrollBar_->sliderPosition());
        break;
    default:
        // The ends are ignored; the thumb still goes back to the closeup.
        moved = false;
        break;
    }
    AfterScrollMove(moved);
}

void View::AfterScrollMove(bool moved)
{
    if (moved)
        InvalidateCloseup();
    // The bar shows where the closeup is, whatever the slider itself did.
    QTimer::singleShot(0, this, [this] {
        if (scrollBar_ && !scrollBar_->isSliderDown())
            scrollBar_->setValue(ScrollPosition());
    });
}

void View::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    InvalidatePlot();
}

void View::paintEvent(QPaintEvent*)
{
    // Painted at the screen's density, so curves are as sharp as the text.
    const double ratio = devicePixelRatioF();
    if (plotDirty_ || !PlotImageFits(plot_, size(), ratio)) {
        geometry_ = PaintPlotImage(plot_, size(), ratio, font(), pens_);
        plotDirty_ = false;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, plot_);
    // The readout: opaque text on the face colour, so each value covers the last.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QColor(0xC0, 0xC0, 0xC0));
    painter.setPen(Qt::black);
    for (const std::optional<Readout>& readout : readouts_) {
        if (!readout)
            continue;
        for (int i = 0; i < 4; ++i)
            painter.drawText(geometry_.readoutAnchor[i], readout->rowY + painter.fontMetrics().ascent(),
                             QString::fromStdString(readout->texts[i]));
    }
    if (!scrollBarReady_) {
        scrollBarReady_ = true;
        UpdateScrollBar();
    }
}

void View::ShowCursorValues(int x, int y)
{
    std::optional<Readout> readout = ReadoutAt(geometry_, x, y);
    if (!readout)
        return;
    const int index = readout->pane == Pane::Overall ? 0 : 1;
    const int rowY = readout->rowY;
    readouts_[index] = std::move(readout);
    update(QRect(0, rowY, width(), fontMetrics().height() + 2));
}

const std::optional<Readout>& View::ShownReadout(Pane pane) const
{
    return readouts_[pane == Pane::Overall ? 0 : 1];
}

void View::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    ShowCursorValues(p.x(), p.y());
}

void View::AfterCloseupMove(bool moved, const QPoint& point)
{
    if (!moved)
        return;
    UpdateScrollBar();
    InvalidateCloseup();
    repaint();
    ShowCursorValues(point.x(), point.y());
}

void View::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    // A double-click starts with a click that may move the closeup; what it
    // pointed at and where the closeup stood are kept for the double-click.
    if (event->button() == Qt::LeftButton) {
        presses_[0] = presses_[1];
        presses_[1] = Press{FindDayUnderCursor(geometry_, p.x(), p.y()), Plot().CloseupEnd,
                            event->timestamp()};
    }
    if (event->button() == Qt::RightButton) {
        AfterCloseupMove(PageForward(), p);
    } else if (event->button() == Qt::LeftButton) {
        if (geometry_.layout.overall.Contains(p.x(), p.y()) && geometry_.overall.xScale > 0) {
            const int day = static_cast<int>((p.x() - geometry_.layout.overall.left) / geometry_.overall.xScale);
            AfterCloseupMove(CentreOn(day), p);
        } else if (geometry_.layout.closeup.Contains(p.x(), p.y())) {
            AfterCloseupMove(PageBack(), p);
        }
    }
}

void View::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    std::optional<DayUnderCursor> found = FindDayUnderCursor(geometry_, p.x(), p.y());
    // The double-click began with the earliest press of the last two within
    // the double-click time: edit the day it pointed at, with the closeup
    // back where it stood before.
    const quint64 interval = static_cast<quint64>(QApplication::doubleClickInterval());
    for (const std::optional<Press>& press : presses_) {
        if (press && event->timestamp() - press->time <= interval) {
            found = press->day;
            if (Plot().CloseupEnd != press->closeupEnd) {
                Plot().CloseupEnd = press->closeupEnd;
                UpdateScrollBar();
                InvalidateCloseup();
            }
            break;
        }
    }
    presses_[0].reset();
    presses_[1].reset();
    if (!found)
        return;
    std::string date;
    int spots = 0;
    double flux = 0.0;
    if (Records().GetRecordValues(found->day, &date, &spots, &flux) != 0)
        return;
    RecordDlg dialog(0, QString::fromStdString(date), spots,
                     QString::fromStdString(FormatFixed(flux, 0, 2)), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Records().SetRecordValues(found->day, dialog.Date().toStdString(), dialog.Sunspots(),
                              ParseLeadingDouble(dialog.FluxText().toStdString()));
    Records().SetDataChanged(1);
    ComputeAverages(Settings().AvgInt, Settings().LagDays, Plot().AveragesComputed);
    InvalidatePlot();
}

void View::OnInsertBulletin()
{
    const int before = Records().RecordCount();
    InsertBulletinDlg dialog(validate_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    validate_ = dialog.Validate();
    std::string merged = MergeCountsText(dialog.Merged());
    if (dialog.ReadLeniently())
        merged += std::string(" ") + LenientNote;
    emit statusText(QString::fromStdString(merged));
    if (Records().RecordCount() != before) {
        PreparePlotData();
        DataReplaced();
    } else {
        // Only stored values were replaced: no rebuild, but the picture must
        // not keep showing the old values.
        InvalidatePlot();
    }
}

void View::OnImportIndexFile()
{
    const int before = Records().RecordCount();
    if (!ImportIndexFileInteractively(Settings().PFBPath))
        return;
    if (Records().RecordCount() != before) {
        PreparePlotData();
        DataReplaced();
    } else {
        InvalidatePlot();
    }
}

void View::OnLocateBulletins(bool flatButtons)
{
    Plot().drawingSuspended = 1;
    InvalidatePlot();
    const int before = Records().RecordCount();
    {
        InternetLocateDlg dialog(flatButtons, this);
        ConnectDownloadCommands(dialog);
        dialog.exec();
    }
    Plot().drawingSuspended = 0;
    if (Records().RecordCount() != before) {
        PreparePlotData();
        DataReplaced();
    } else {
        InvalidatePlot();
    }
}

void View::OnViewBulletin()
{
    const std::optional<std::string> path =
        Prompt().ChooseOpenFile(BulletinChooserStart(), BulletinFileFilter);
    // Opened in the user's viewer for text files, whatever the file's name
    // says; a failure is reported.
    if (path)
        OpenLinkOrReport(QString::fromStdString(*path), LinkKind::TextFile);
}

void View::OnEditData()
{
    DataEditorDlg dialog(this);
    dialog.exec();
    if (!dialog.Modified())
        return;
    PreparePlotData();
    Records().SetDataChanged(1);
    DataReplaced();
}

void View::OnPositionData()
{
    Settings().PosdataON = Settings().PosdataON ? 0 : 1;
    InvalidatePlot();
}

void View::keyPressEvent(QKeyEvent* event)
{
    // The keys work the scroll bar, so they pan exactly as it does.
    static const std::pair<int, QAbstractSlider::SliderAction> Keys[] = {
        {Qt::Key_Left, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
        {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
    };
    if (event->modifiers() == Qt::NoModifier && scrollBar_) {
        // The first and the last days: as if the thumb were dragged to an end.
        if (event->key() == Qt::Key_Home) {
            AfterScrollMove(JumpTo(0));
            return;
        }
        if (event->key() == Qt::Key_End) {
            AfterScrollMove(JumpTo(Records().RecordCount()));
            return;
        }
    }
    for (const auto& [key, action] : Keys)
        if (event->key() == key && event->modifiers() == Qt::NoModifier && scrollBar_) {
            scrollBar_->triggerAction(action);
            return;
        }
    QWidget::keyPressEvent(event);
}

void View::wheelEvent(QWheelEvent* event)
{
    wheelTurn_ += event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    const int notches = wheelTurn_ / 120;  // fine-grained wheels add up to whole notches
    wheelTurn_ -= notches * 120;
    event->accept();
    if (notches == 0 || !scrollBar_)
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        if (ZoomCloseup(notches)) {
            UpdateScrollBar();
            InvalidatePlot();
        }
        return;
    }
    // Turning the wheel away from you goes back in time.
    const auto action =
        notches > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd;
    for (int i = 0; i < std::abs(notches) * WheelPanDays(); ++i)
        scrollBar_->triggerAction(action);
}

void View::OnConfigurationOptions()
{
    Options sheet(Settings(), this);
    if (sheet.exec() != QDialog::Accepted)
        return;
    ApplyOptions(sheet.Edited());
    CreatePlotPens();
    // The split, titles, grids and scales may all have changed: the whole
    // plot is painted again, and the scroll bar follows a new closeup size.
    UpdateScrollBar();
    InvalidatePlot();
}
