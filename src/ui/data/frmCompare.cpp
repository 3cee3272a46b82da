#include "ui/data/frmCompare.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/app/QtText.h"

namespace zorvex {

namespace {

enum Column { What, ScanSet, Table, InTool, InFile, ColumnCount };

// The changed values stand out against the rest of the row.
const QColor ChangedColour(255, 226, 140);

QString WhatOf(const MonitorDataDifference& d) {
    switch (d.kind) {
        case MonitorDataDifference::Kind::ScanSet:
            return QStringLiteral("Scan set saved");
        case MonitorDataDifference::Kind::Cell: {
            QString what =
                QStringLiteral("%1%2").arg(QChar::fromLatin1(FamilyLetter(d.family))).arg(d.slot);
            return d.name.empty() ? what : what + QStringLiteral(" ") + FromBytes(d.name);
        }
        case MonitorDataDifference::Kind::Record:
            break;
    }
    return d.scanSet >= 0 ? QStringLiteral("Scan set title") : FromBytes(d.record);
}

}  // namespace

frmCompare::frmCompare(QWidget* parent)
    : QDialog(parent),
      lblSummary_(new QLabel(this)),
      grdDifferences_(new QTableWidget(0, ColumnCount, this)) {
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(QStringLiteral("Compare With File"));
    setSizeGripEnabled(true);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    grdDifferences_->setObjectName(QStringLiteral("grdDifferences"));
    grdDifferences_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdDifferences_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdDifferences_->verticalHeader()->hide();
    // The name takes the spare width, so the two values stay side by side.
    grdDifferences_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdDifferences_->horizontalHeader()->setSectionResizeMode(What, QHeaderView::Stretch);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary_);
    layout->addWidget(grdDifferences_);
    layout->addWidget(buttons);
    resize(640, 420);
}

void frmCompare::ShowDifferences(const std::vector<MonitorDataDifference>& differences,
                                 const std::string& fileTitle) {
    const QString file = FromBytes(fileTitle);
    lblSummary_->setText(
        differences.empty()
            ? QStringLiteral("No differences between the data in the tool and %1.").arg(file)
            : QStringLiteral("%1 difference%2 between the data in the tool and %3:")
                  .arg(differences.size())
                  .arg(differences.size() == 1 ? "" : "s")
                  .arg(file));
    grdDifferences_->setHorizontalHeaderLabels(
        {QStringLiteral("Record or DAC"), QStringLiteral("Scan set"), QStringLiteral("Table"),
         QStringLiteral("In the tool"), QStringLiteral("In ") + file});
    grdDifferences_->setRowCount(static_cast<int>(differences.size()));
    int row = 0;
    for (const MonitorDataDifference& d : differences) {
        const bool cell = d.kind == MonitorDataDifference::Kind::Cell;
        const QString texts[ColumnCount] = {
            WhatOf(d), d.scanSet >= 0 ? QString::number(d.scanSet) : QString(),
            cell ? QString::fromLatin1(TableName(d.table)) : QString(), FromBytes(d.a),
            FromBytes(d.b)};
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column == InTool || column == InFile) {
                item->setBackground(ChangedColour);
            }
            if (column == ScanSet || (cell && column >= InTool)) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            grdDifferences_->setItem(row, column, item);
        }
        ++row;
    }
}

}  // namespace zorvex
