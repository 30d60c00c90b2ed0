// The colour legend: a sample line of each curve's colour on the plot's
// background, beside the curve's name.
#pragma once

#include <QColor>
#include <QDialog>
#include <QLine>
#include <QWidget>

class QLabel;

// The legend's background with its four labels and sample lines.
class LegendArea : public QWidget {
    Q_OBJECT
public:
    explicit LegendArea(QWidget* parent = nullptr);

    static constexpr int Samples = 4;
    QString Label(int i) const;
    QColor SampleColor(int i) const { return colors_[i]; }
    // Where sample i is drawn (3 pixels wide), in this widget's pixels.
    QLine SampleLine(int i) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_;
    QColor colors_[Samples];
    QLabel* labels_[Samples];
};

class ColorLegendDlg : public QDialog {
    Q_OBJECT
public:
    explicit ColorLegendDlg(QWidget* parent = nullptr);
    LegendArea* Legend() const { return legend_; }

private:
    LegendArea* legend_;
};
