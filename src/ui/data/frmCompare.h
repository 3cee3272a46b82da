#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/data/MonitorDataComparison.h"

class QLabel;
class QTableWidget;

namespace zorvex {

// "Compare With File ...": what differs between the data in the tool and a data file, one
// row per difference, the two values side by side and highlighted.
class frmCompare : public QDialog {
    Q_OBJECT
  public:
    explicit frmCompare(QWidget* parent = nullptr);

    void ShowDifferences(const std::vector<MonitorDataDifference>& differences,
                         const std::string& fileTitle);

  private:
    QLabel* lblSummary_;
    QTableWidget* grdDifferences_;
};

}  // namespace zorvex
