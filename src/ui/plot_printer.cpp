#include "ui/plot_printer.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <ctime>

#include "config/plot_settings.h"
#include "data/prompt.h"
#include "plot/plot_renderer.h"
#include "plot/print_page.h"

PlotPrinter::PlotPrinter(QObject* parent) : QObject(parent)
{
    printer_.setDocName("SKYLOG Solar Data Plot");
}

void PlotPrinter::PrintTo(QPrinter* printer)
{
    WaitCursor wait;
    QPainter painter(printer);
    if (!painter.isActive())
        return;
    PrepareAveragesForPrinting();
    PrintPage(painter, PageDeviceOf(*printer), CreatePlotPens(Settings()), std::time(nullptr));
}

void PlotPrinter::Print(QWidget* parent)
{
    // The report is one page.
    printer_.setFromTo(1, 1);
    QPrintDialog dialog(&printer_, parent);
    dialog.setMinMax(1, 1);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(&printer_);
}

void PlotPrinter::Preview(QWidget* parent)
{
    QPrintPreviewDialog dialog(&printer_, parent);
    dialog.setWindowTitle("Print Preview");
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, &PlotPrinter::PrintTo);
    dialog.exec();
}

void PlotPrinter::Setup(QWidget* parent)
{
    QPageSetupDialog dialog(&printer_, parent);
    dialog.exec();
}
