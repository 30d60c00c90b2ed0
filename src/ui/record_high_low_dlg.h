// "Record High / Low Values": the days holding the highest and lowest
// sunspot number and solar flux, as the record markers point at them.
#pragma once

#include <QDialog>

class QLineEdit;

class RecordHighLowDlg : public QDialog {
    Q_OBJECT
public:
    explicit RecordHighLowDlg(QWidget* parent = nullptr);

    // The eight fields, by name: highSpotsDate, highSpots, lowSpotsDate,
    // lowSpots, highFluxDate, highFlux, lowFluxDate, lowFlux.
    QString FieldText(const QString& name) const;
};
