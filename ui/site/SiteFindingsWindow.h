#pragma once

#include "site/SiteChecks.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

namespace zendrik {

class TextTable;

// The findings of a site check, one line each naming its device (and the
// other device of a pair); a double click on one asks to open its device.
class SiteFindingsWindow : public QDialog {
    Q_OBJECT
public:
    SiteFindingsWindow(const TextTable& texts, QWidget* parent = nullptr);

    void showFindings(const QString& siteName, int year, const std::vector<SiteFinding>& findings);
    QTreeWidget* list() const { return list_; }

signals:
    void deviceActivated(const QString& device);

private:
    const TextTable& texts_;
    QTreeWidget* list_;
};

} // namespace zendrik
