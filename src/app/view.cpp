#include "app/view.h"

#include <QPainter>
#include <QScrollBar>

#include "app/help_window.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/prompt.h"
#include "data/record_array.h"
#include "data/text_file.h"
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

}  // namespace

View::View(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(200, 200);
    startupTimer_.setSingleShot(true);
    startupTimer_.setInterval(250);
    connect(&startupTimer_, &QTimer::timeout, this, &View::OnStartupTimer);
    ConnectPlotToDataFile();
    Plot().scrollRangeChanged = [this] { UpdateScrollBar(); };
    DataFileNotifications().pathNeeded = [] {
        if (const auto path = Prompt().ChooseSaveFile(DataFilePath, DataFileFilter))
            DataFilePath = *path;
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

void View::InitialUpdate()
{
    LoadSettings();
    CreatePlotPens();
    Plot().AveragesComputed = 0;
    Plot().PointArray.clear();
    // A configured name without a folder is looked for in the program folder.
    if (!DataFilePath.empty() && DataFilePath.find('/') == std::string::npos)
        DataFilePath = ProgramFile(DataFilePath);
    if (DataFilePath.empty()) {
        DataFilePath = ProgramFile("GRAPH.DAT");
        if (!FileExists(DataFilePath))
            DataFilePath.clear();
    }
    startupTimer_.start();
}

void View::OnStartupTimer()
{
    startupTimer_.stop();
    ReadDataFile();
    update();
    emit recordCountChanged();
    if (FirstRun) {
        Prompt().MessageBox("Since this is the first time you have run this\nprogram, the HELP "
                            "file will be displayed",
                            ProgramTitle, PromptIcon::Information, PromptButtons::Ok);
        HelpRequest();
    }
}

void View::OnFileOpen()
{
    // A failed save keeps the changed records and their mark.
    if (!OfferToSave("Data File Has Changed - Do You Want To Save It First?"))
        return;
    Records().SetDataChanged(0);
    const auto path = Prompt().ChooseOpenFile(DataFilePath, DataFileFilter);
    if (!path)
        return;
    DataFilePath = *path;
    ReadDataFile();
    update();
    emit recordCountChanged();
}

void View::OnFileSave()
{
    WriteDataFile();
}

void View::OnFileSaveAs()
{
    const auto path = Prompt().ChooseSaveFile(DataFilePath, DataFileFilter);
    if (!path)
        return;
    const std::string previous = DataFilePath;
    DataFilePath = *path;
    // A file that could not be written is not the data file afterwards.
    if (!WriteDataFile())
        DataFilePath = previous;
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

void View::InvalidateCloseup()
{
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
        return;
    }
    if (moved)
        InvalidateCloseup();
    // The bar shows where the closeup is, whatever the slider itself did.
    QTimer::singleShot(0, this, [this] {
        if (scrollBar_ && !scrollBar_->isSliderDown())
            scrollBar_->setValue(ScrollPosition());
    });
}

void View::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    geometry_ = PaintPlot(painter, {0, 0, width(), height()}, pens_);
    if (!scrollBarReady_) {
        scrollBarReady_ = true;
        UpdateScrollBar();
    }
}
