#include "ui/site/SiteChangeDialog.h"

#include "language/TextTable.h"
#include "ui/checks/SeverityColour.h"
#include "ui/site/SiteWindowTexts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zendrik {

namespace T = sitewindowtexts;

namespace {

// The kinds in the order of the choice; the entry page serves the last three.
constexpr SiteChange::Kind kKinds[] = {SiteChange::Kind::Holidays,  SiteChange::Kind::DstRule,
                                       SiteChange::Kind::DstZone,   SiteChange::Kind::Place,
                                       SiteChange::Kind::AddTime,   SiteChange::Kind::ChangeTime,
                                       SiteChange::Kind::DeleteTime};
constexpr int kEntryPage = 4;

QSpinBox* YearBox(QWidget* parent, const char* name, int year)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(2000, 2099);
    box->setValue(year);
    return box;
}

QComboBox* ChoiceBox(QWidget* parent, const char* name, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->addItems(items);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(16);
    return box;
}

} // namespace

SiteChangeDialog::SiteChangeDialog(const TextTable& texts, const QStringList& holidaySets, const QStringList& zones,
                                   const QStringList& places, int year, QWidget* parent)
    : QDialog(parent), texts_(texts)
{
    setObjectName(QStringLiteral("frmAnlageAendern"));
    setWindowTitle(texts_(T::kChangeTitle));
    cboKind_ = new QComboBox(this);
    cboKind_->setObjectName(QStringLiteral("cboArt"));
    for (const ExtraText* t : {&T::kKindHolidays, &T::kKindDstRule, &T::kKindDstZone, &T::kKindPlace,
                               &T::kKindAddTime, &T::kKindChangeTime, &T::kKindDeleteTime})
        cboKind_->addItem(texts_(*t));

    pages_ = new QStackedWidget(this);
    const auto page = [this] {
        auto* w = new QWidget(pages_);
        auto* form = new QFormLayout(w);
        form->setContentsMargins(0, 0, 0, 0);
        pages_->addWidget(w);
        return std::pair{w, form};
    };
    auto [holidays, holidayForm] = page();
    cboSet_ = ChoiceBox(holidays, "cboSet", holidaySets);
    spnFrom_ = YearBox(holidays, "spnVon", year);
    spnTo_ = YearBox(holidays, "spnBis", year + 1);
    auto* years = new QHBoxLayout;
    years->addWidget(spnFrom_);
    years->addWidget(new QLabel(QStringLiteral("–"), holidays));
    years->addWidget(spnTo_);
    years->addStretch(1);
    holidayForm->addRow(texts_(T::kHolidaySet), cboSet_);
    holidayForm->addRow(texts_(T::kYears), years);

    auto [rule, ruleForm] = page();
    cboRule_ = new QComboBox(rule);
    cboRule_->setObjectName(QStringLiteral("cboRegel"));
    // The rules by their numbers in the device: 0 none, 1 Europe, 2 Great Britain, 3 USA.
    for (const ExtraText* t : {&T::kRuleNone, &T::kRuleEurope, &T::kRuleBritain, &T::kRuleUsa})
        cboRule_->addItem(texts_(*t));
    cboRule_->setCurrentIndex(1);
    ruleForm->addRow(texts_(T::kRule), cboRule_);

    auto [zone, zoneForm] = page();
    cboZone_ = ChoiceBox(zone, "cboZone", zones);
    cboZone_->setCurrentText(QStringLiteral("Europe/Berlin"));
    spnFirstYear_ = YearBox(zone, "spnAbJahr", year);
    zoneForm->addRow(texts_(T::kZone), cboZone_);
    zoneForm->addRow(texts_(T::kFirstYear), spnFirstYear_);

    auto [place, placeForm] = page();
    cboPlace_ = ChoiceBox(place, "cboOrt", places);
    placeForm->addRow(texts_(T::kPlace), cboPlace_);

    auto [entry, entryForm] = page();
    txtEntry_ = new QLineEdit(entry);
    txtEntry_->setObjectName(QStringLiteral("txtSchaltzeit"));
    txtEntry_->setPlaceholderText(texts_(T::kEntryHint));
    txtEntry2_ = new QLineEdit(entry);
    txtEntry2_->setObjectName(QStringLiteral("txtSchaltzeitNeu"));
    txtEntry2_->setPlaceholderText(texts_(T::kEntryHint));
    for (QLineEdit* box : {txtEntry_, txtEntry2_})
        box->setToolTip(texts_(T::kEntryTip));
    entryForm->addRow(texts_(T::kEntry), txtEntry_);
    entryForm->addRow(texts_(T::kEntryNew), txtEntry2_);
    lblEntry2_ = qobject_cast<QLabel*>(entryForm->labelForField(txtEntry2_));

    cmdPreview_ = new QPushButton(texts_(T::kPreview), this);
    cmdPreview_->setObjectName(QStringLiteral("cmdVorschau"));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lstVorschau"));
    list_->setHeaderLabels({texts_(T::kColumnDevice), texts_(T::kColumnMessage)});
    list_->header()->setStretchLastSection(true);
    lblResult_ = new QLabel(this);
    lblResult_->setObjectName(QStringLiteral("lblAendernErgebnis"));
    lblResult_->setWordWrap(true);
    cmdApply_ = new QPushButton(texts_(T::kApply), this);
    cmdApply_->setObjectName(QStringLiteral("cmdAnwenden"));
    cmdApply_->setEnabled(false);
    auto* cmdClose = new QPushButton(texts_(T::kClose), this);
    cmdClose->setObjectName(QStringLiteral("cmdSchliessen"));

    auto* top = new QFormLayout;
    top->addRow(texts_(T::kChangeKind), cboKind_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPreview_);
    buttons->addStretch(1);
    buttons->addWidget(cmdApply_);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pages_);
    layout->addWidget(list_, 1);
    layout->addWidget(lblResult_);
    layout->addLayout(buttons);

    const auto kindChanged = [this](int index) {
        pages_->setCurrentIndex(std::min(index, kEntryPage));
        const bool second = kKinds[index] == SiteChange::Kind::ChangeTime;
        txtEntry2_->setVisible(second);
        if (lblEntry2_)
            lblEntry2_->setVisible(second);
        // A preview of another change cannot be applied.
        list_->clear();
        cmdApply_->setEnabled(false);
    };
    connect(cboKind_, &QComboBox::currentIndexChanged, this, kindChanged);
    kindChanged(0);
    connect(cmdPreview_, &QPushButton::clicked, this, &SiteChangeDialog::previewRequested);
    connect(cmdApply_, &QPushButton::clicked, this, &SiteChangeDialog::applyRequested);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    resize(560, 420);
}

SiteChange SiteChangeDialog::change() const
{
    SiteChange c;
    c.kind = kKinds[std::clamp(cboKind_->currentIndex(), 0, static_cast<int>(std::size(kKinds)) - 1)];
    c.holidaySet = cboSet_->currentText().trimmed();
    c.fromYear = spnFrom_->value();
    c.toYear = spnTo_->value();
    c.dstRule = cboRule_->currentIndex();
    c.zone = cboZone_->currentText().trimmed();
    c.firstYear = spnFirstYear_->value();
    c.place = cboPlace_->currentText().trimmed();
    c.entry = txtEntry_->text().trimmed();
    c.entry2 = txtEntry2_->text().trimmed();
    return c;
}

void SiteChangeDialog::showPreview(const std::vector<SiteChangePreview>& previews, const QString& openDevice)
{
    list_->clear();
    lblResult_->clear();
    bool any = false;
    for (const SiteChangePreview& p : previews) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, p.device);
        QString what = !p.applicable         ? texts_(T::kDoesNotFit).arg(p.reason)
                       : p.differences.isEmpty() ? texts_(T::kNoChange)
                                                 : p.differences.join(QStringLiteral("; "));
        if (p.device == openDevice)
            what += QLatin1Char(' ') + texts_(T::kOpenProgramNote);
        item->setText(1, what);
        item->setToolTip(1, p.differences.join(QLatin1Char('\n')));
        const bool tick = p.applicable && !p.differences.isEmpty();
        // A device the change does not fit cannot be ticked.
        if (p.applicable) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, tick ? Qt::Checked : Qt::Unchecked);
        } else {
            item->setForeground(1, SeverityColour(Severity::Error));
        }
        for (const QString& line : p.differences)
            new QTreeWidgetItem(item, {QString(), line});
        any = any || tick;
    }
    list_->resizeColumnToContents(0);
    cmdApply_->setEnabled(any);
}

QStringList SiteChangeDialog::tickedDevices() const
{
    QStringList devices;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list_->topLevelItem(i);
        if ((item->flags() & Qt::ItemIsUserCheckable) && item->checkState(0) == Qt::Checked)
            devices << item->text(0);
    }
    return devices;
}

void SiteChangeDialog::showApplied(const std::vector<SiteChangePreview>& done, int changed)
{
    QStringList failures;
    for (const SiteChangePreview& p : done)
        if (!p.applicable)
            failures << p.device + QStringLiteral(": ") + p.reason;
    failures.prepend(texts_(T::kApplied).arg(changed));
    lblResult_->setText(failures.join(QLatin1Char('\n')));
    cmdApply_->setEnabled(false);
}

} // namespace zendrik
