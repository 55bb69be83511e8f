#include "ui/simulation/CalendarExportDialog.h"

#include "calendar/SwitchingYearExport.h"
#include "language/TextTable.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

CalendarExportDialog::CalendarExportDialog(const QStringList& channels, const TextTable& texts, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgKalender"));
    setWindowTitle(texts(kExportCalendar).remove(QStringLiteral("...")));

    auto* lblKanaele = new QLabel(texts(kExportChannels), this);
    lstKanaele_ = new QListWidget(this);
    lstKanaele_->setObjectName(QStringLiteral("lstKanaele"));
    for (const QString& name : channels) {
        auto* item = new QListWidgetItem(name, lstKanaele_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    // Up to eight channels without scrolling.
    const int rows = std::min(static_cast<int>(channels.size()), 8);
    lstKanaele_->setMinimumHeight(lstKanaele_->sizeHintForRow(0) * std::max(rows, 2) + 2 * lstKanaele_->frameWidth());
    lblKanaele->setBuddy(lstKanaele_);

    auto* lblZone = new QLabel(texts(kExportZone), this);
    txtZone_ = new QLineEdit(this);
    txtZone_->setObjectName(QStringLiteral("txtZone"));
    txtZone_->setPlaceholderText(QStringLiteral("Europe/Berlin"));
    QStringList zones;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
        zones << QString::fromLatin1(id);
    auto* completer = new QCompleter(zones, txtZone_);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    txtZone_->setCompleter(completer);
    lblZone->setBuddy(txtZone_);
    lblFehler_ = new QLabel(this);
    lblFehler_->setObjectName(QStringLiteral("lblFehler"));
    lblFehler_->setStyleSheet(QStringLiteral("color: #b00000"));
    lblFehler_->hide();

    auto* buttons = new QDialogButtonBox(this);
    cmdOk_ = buttons->addButton(texts(TextId::Ok), QDialogButtonBox::AcceptRole);
    cmdOk_->setObjectName(QStringLiteral("cmdOk"));
    QPushButton* cancel = buttons->addButton(texts(TextId::Cancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CalendarExportDialog::exportChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstKanaele_, &QListWidget::itemChanged, this, &CalendarExportDialog::updateOk);
    connect(txtZone_, &QLineEdit::textEdited, lblFehler_, &QLabel::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblKanaele);
    layout->addWidget(lstKanaele_, 1);
    layout->addWidget(lblZone);
    layout->addWidget(txtZone_);
    layout->addWidget(lblFehler_);
    layout->addWidget(buttons);
}

std::vector<int> CalendarExportDialog::channels() const
{
    std::vector<int> out;
    for (int i = 0; i < lstKanaele_->count(); ++i)
        if (lstKanaele_->item(i)->checkState() == Qt::Checked)
            out.push_back(i);
    return out;
}

QString CalendarExportDialog::zone() const
{
    return txtZone_->text().trimmed();
}

void CalendarExportDialog::showError(const QString& text)
{
    lblFehler_->setText(text);
    lblFehler_->show();
}

void CalendarExportDialog::updateOk()
{
    // A calendar of no channel holds nothing.
    cmdOk_->setEnabled(!channels().empty());
}

} // namespace zendrik
