// "Export Plot": the file to save the plot area in (PNG, SVG or PDF by its
// extension) and the size to paint it at, the window's size to begin with.
#pragma once

#include <QDialog>
#include <QSize>

class QLineEdit;

class ExportPlotDlg : public QDialog {
    Q_OBJECT
public:
    ExportPlotDlg(const QString& path, QSize size, QWidget* parent = nullptr);

    QString Path() const;
    QSize PlotSize() const;
    QLineEdit* PathField() const { return path_; }
    QLineEdit* WidthField() const { return width_; }
    QLineEdit* HeightField() const { return height_; }

    void accept() override;

private:
    QLineEdit* path_;
    QLineEdit* width_;
    QLineEdit* height_;

    void Browse();
};

// The chooser's filter of the plot's file kinds.
inline constexpr const char* PlotFileFilter =
    "PNG Picture (*.png);;SVG Drawing (*.svg);;PDF Document (*.pdf)";
