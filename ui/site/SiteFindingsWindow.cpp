#include "ui/site/SiteFindingsWindow.h"

#include "editing/checks/ProgramChecks.h"
#include "language/TextTable.h"
#include "ui/checks/SeverityColour.h"
#include "ui/site/SiteWindowTexts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zendrik {

namespace T = sitewindowtexts;

SiteFindingsWindow::SiteFindingsWindow(const TextTable& texts, QWidget* parent) : QDialog(parent), texts_(texts)
{
    setObjectName(QStringLiteral("frmAnlagePruefung"));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lstAnlageBefunde"));
    list_->setRootIsDecorated(false);
    list_->setWordWrap(false);
    list_->setHeaderLabels({texts_(T::kColumnDevice), texts_(T::kColumnSeverity), texts_(T::kColumnMessage)});
    list_->header()->setStretchLastSection(true);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    box->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdSchliessen"));
    box->button(QDialogButtonBox::Close)->setText(texts_(T::kClose));
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { emit deviceActivated(item->data(0, Qt::UserRole).toString()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(box);
    resize(620, 360);
}

void SiteFindingsWindow::showFindings(const QString& siteName, int year, const std::vector<SiteFinding>& findings)
{
    const QString summary = findings.empty() ? texts_(T::kNoFindings).arg(year)
                                             : texts_(T::kFindingsSummary).arg(year).arg(findings.size());
    setWindowTitle(texts_(T::kFindingsTitle).arg(siteName) + QStringLiteral(" – ") + summary);
    list_->clear();
    for (const SiteFinding& f : findings) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, f.other.isEmpty() ? f.device : f.device + QStringLiteral(" / ") + f.other);
        item->setData(0, Qt::UserRole, f.device);
        item->setText(1, texts_(SeverityName(f.severity)));
        item->setText(2, f.text);
        item->setToolTip(2, f.text);
        const QColor colour = SeverityColour(f.severity);
        item->setForeground(1, colour);
    }
    for (int c = 0; c < 2; ++c)
        list_->resizeColumnToContents(c);
}

} // namespace zendrik
