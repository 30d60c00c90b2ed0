// Print, Print Preview and Print Setup of the File menu: one printer for the
// session, the page drawn by PrintPage.
#pragma once

#include <QObject>
#include <QPrinter>

class QWidget;

class PlotPrinter : public QObject {
    Q_OBJECT
public:
    explicit PlotPrinter(QObject* parent = nullptr);

    // The print dialog (one page), then the page on the chosen printer.
    void Print(QWidget* parent);
    void Preview(QWidget* parent);
    void Setup(QWidget* parent);

    // Draws the page on the printer: a real one, a PDF file or the preview's.
    static void PrintTo(QPrinter* printer);
    QPrinter& Printer() { return printer_; }

private:
    QPrinter printer_{QPrinter::HighResolution};
};
