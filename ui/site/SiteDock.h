#pragma once

#include "site/Site.h"
#include "site/SiteChecks.h"

#include <QDockWidget>

#include <vector>

class QLabel;
class QTableWidget;
class QTableWidgetItem;
class QPushButton;

namespace zendrik {

class TextTable;

// The site beside the list: one row per device (name, type, location,
// address, the worst finding of the last check, the transfer state) and the
// site's commands above it. A device marked on loading shows its mark. A
// double click (or Enter) on a row asks to open that device's program.
class SiteDock : public QDockWidget {
    Q_OBJECT
public:
    enum Column { ColName,
                  ColType,
                  ColLocation,
                  ColAddress,
                  ColCheck,
                  ColTransfer,
                  ColumnCount };

    SiteDock(const TextTable& texts, int brandIndex, QWidget* parent = nullptr);

    // Shows the site; `checks` are the worst findings per device of the last
    // check (empty: not checked since the site changed).
    void showSite(const Site& site, const std::vector<SiteDeviceCheck>& checks);
    void retranslate();

    QTableWidget* table() const { return table_; }
    // The device of the current row, -1 when none.
    int currentDevice() const;

signals:
    void deviceActivated(int index);
    void checkRequested();
    void writeRequested();
    void readRequested();
    void changeRequested();
    void handoverRequested();
    void addRequested();
    void helpRequested();

private:
    void showCheck(QTableWidgetItem* item, Severity severity, const QString& text) const;

    const TextTable& texts_;
    int brandIndex_;
    std::vector<QPushButton*> buttons_;
    QTableWidget* table_;
    QLabel* lblHint_;
    QString siteName_;
};

} // namespace zendrik
