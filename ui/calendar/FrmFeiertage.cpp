#include "ui/calendar/FrmFeiertage.h"

#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagEingabe.h"
#include "calendar/FeiertagKalender.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/FeiertagTexts.h"
#include "language/DateText.h"
#include "language/TextTable.h"
#include "model/DeviceSettings.h"
#include "model/ExportTarget.h"
#include "model/UserInteraction.h"
#include "ui/common/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace {

constexpr int kHolidayPreviewYears = 3;

QStringList MonthNames(const TextTable& texts)
{
    QStringList months;
    for (int m = 0; m < 12; ++m)
        months << texts(static_cast<TextId>(static_cast<int>(TextId::January) + m));
    return months;
}

} // namespace

FrmFeiertage::FrmFeiertage(FeiertagTabelle& table, DeviceSettings& device, const TextTable& texts,
                           UserInteraction& ui, const QString& holidayFile, QWidget* parent)
    : QDialog(parent), table_(table), device_(device), texts_(texts), ui_(ui), file_(holidayFile)
{
    setObjectName(QStringLiteral("frmfeiertage"));
    setWindowTitle(texts_(TextId::HolidaySettingsTitle));
    askText_ = [this](const QString& prompt) -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(this, kAppTitel, prompt, QLineEdit::Normal, QString(), &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    };
    askSaveFile_ = [this](const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(this, kAppTitel, suggested, filter);
    };

    // The holidays.
    auto* fraFeiertage = new QGroupBox(texts_(TextId::HolidaysList), this);
    lstFeiertage_ = named(new QListWidget(fraFeiertage), "lst_Feiertage");
    txtName_ = named(new QLineEdit(fraFeiertage), "txt_Name");
    txtName_->setMaxLength(60);
    auto* fraArt = new QGroupBox(texts_(TextId::HolidayKind), fraFeiertage);
    optFest_ = named(new QRadioButton(texts_(TextId::HolidayFixed), fraArt), "opt_fest");
    optFrei_ = named(new QRadioButton(texts_(TextId::HolidayFree), fraArt), "opt_frei");
    optOstern_ = named(new QRadioButton(texts_(TextId::HolidayEasterRelative), fraArt), "opt_Ostern");
    optFest_->setChecked(true);
    cboWochentag_ = named(new QComboBox(fraArt), "cbo_Wochentag");
    cboWochentag_->addItems(WochentagVorNachItems(texts_));
    cboTag_ = named(new QComboBox(fraArt), "cbo_Tag");
    cboTag_->addItems(FeiertagTagItems());
    cboMonat_ = named(new QComboBox(fraArt), "cbo_Monat");
    cboMonat_->addItems(MonthNames(texts_));
    hsbOstern_ = named(new QScrollBar(Qt::Horizontal, fraArt), "hsb_Ostern");
    hsbOstern_->setRange(kOsterWertMin, kOsterWertMax);
    hsbOstern_->setValue(FeiertagEingabe::kOsterWertOstern);
    hsbOstern_->setMinimumWidth(160);
    lblOstern_ = named(new QLabel(fraArt), "lbl_Ostern");
    // The kinds one below the other, then the fields of the chosen kind.
    // Fields of the other kinds keep their room while hidden, so the
    // dialog keeps its size whichever kind is chosen.
    for (QWidget* w : std::initializer_list<QWidget*>{cboWochentag_, cboTag_, cboMonat_, hsbOstern_, lblOstern_}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    // The weekday list is the widest ("dimanche avant"): the day and the
    // month share the row below it. The distance to Easter takes the same
    // two rows, as it never shows with a date.
    auto* art = new QGridLayout(fraArt);
    art->addWidget(optFest_, 0, 0, 1, 2);
    art->addWidget(optFrei_, 1, 0, 1, 2);
    art->addWidget(optOstern_, 2, 0, 1, 2);
    art->addWidget(cboWochentag_, 3, 0, 1, 2);
    art->addWidget(hsbOstern_, 3, 0, 1, 2);
    art->addWidget(cboTag_, 4, 0);
    art->addWidget(cboMonat_, 4, 1);
    art->addWidget(lblOstern_, 4, 0, 1, 2);
    // A fixed holiday on a Saturday or Sunday may give the next working day
    // off too; always shown, so the dialog keeps its size with every kind.
    // Its caption wraps beside the box: as one line it would widen the
    // dialog past a small screen in the longer languages.
    chkErsatz_ = named(new QCheckBox(fraArt), "chk_Ersatztag");
    chkErsatz_->setAccessibleName(texts_(kFtWeekendSubstitute));
    lblErsatz_ = new QLabel(texts_(kFtWeekendSubstitute), fraArt);
    lblErsatz_->setWordWrap(true);
    lblErsatz_->setBuddy(chkErsatz_);
    auto* ersatz = new QHBoxLayout;
    ersatz->addWidget(chkErsatz_);
    ersatz->addWidget(lblErsatz_, 1);
    art->addLayout(ersatz, 5, 0, 1, 2);
    art->setColumnStretch(1, 1);
    cmdAdd_ = named(new QPushButton(texts_(TextId::Add), fraFeiertage), "cmd_add_Feiertage");
    cmdDel_ = named(new QPushButton(texts_(TextId::Delete), fraFeiertage), "cmd_del_Feiertage");
    auto* nameLabel = new QLabel(texts_(TextId::HolidayName).trimmed(), fraFeiertage);
    nameLabel->setBuddy(txtName_);
    auto* left = new QVBoxLayout(fraFeiertage);
    left->addWidget(lstFeiertage_, 1);
    left->addWidget(nameLabel);
    left->addWidget(txtName_);
    left->addWidget(fraArt);
    auto* leftButtons = new QHBoxLayout;
    leftButtons->addWidget(cmdAdd_);
    leftButtons->addWidget(cmdDel_);
    left->addLayout(leftButtons);

    // The sets.
    auto* fraSets = new QGroupBox(texts_(TextId::HolidaySets), this);
    cboSets_ = named(new QComboBox(fraSets), "cbo_Sets");
    auto* cmdAddSet = named(new QPushButton(texts_(TextId::AddSet), fraSets), "cmd_add_Set");
    auto* cmdDelSet = named(new QPushButton(texts_(TextId::DeleteSet).trimmed(), fraSets), "cmd_del_Set");
    chkImSet_ = named(new QCheckBox(texts_(kFtInSet), fraSets), "chk_im_Set");
    chkImSet_->setEnabled(false);
    auto* cmdToSet = named(new QPushButton(texts_(kFtAddToSet), fraSets), "cmd_add_to_Set");
    auto* cmdFromSet = named(new QPushButton(texts_(kFtRemoveFromSet), fraSets), "cmd_del_from_Set");
    lstSetGlieder_ = named(new QListWidget(fraSets), "lst_Set_Glieder");
    auto* setButtons = new QHBoxLayout;
    setButtons->addWidget(cmdAddSet);
    setButtons->addWidget(cmdDelSet);
    auto* memberButtons = new QHBoxLayout;
    memberButtons->addWidget(cmdToSet);
    memberButtons->addWidget(cmdFromSet);
    auto* sets = new QVBoxLayout(fraSets);
    sets->addWidget(cboSets_);
    sets->addLayout(setButtons);
    sets->addWidget(chkImSet_);
    sets->addLayout(memberButtons);
    sets->addWidget(lstSetGlieder_, 1);

    // The years of weekday-rule holidays, the dates and their export.
    auto* fraJahre = new QGroupBox(texts_(TextId::YearsForFreeHolidays), this);
    cboJahre_ = named(new QComboBox(fraJahre), "cbo_JahreFreieFt");
    cboJahre_->addItems(JahreFreieFtItems(device_.Bewft, texts_));
    cboJahre_->setCurrentIndex(JahreFreieFtChoiceIndex(device_.Bewft, device_.JahreFreieFt));
    auto* jahre = new QVBoxLayout(fraJahre);
    jahre->addWidget(cboJahre_);

    auto* fraTermine = new QGroupBox(texts_(kFtDates), this);
    spnVonJahr_ = named(new QSpinBox(fraTermine), "spn_vonJahr");
    spnVonJahr_->setRange(kFeiertagFirstYear, kFeiertagLastYear);
    spnVonJahr_->setValue(std::clamp(QDate::currentDate().year(), kFeiertagFirstYear, kFeiertagLastYear));
    spnAnzJahre_ = named(new QSpinBox(fraTermine), "spn_Jahre");
    spnAnzJahre_->setRange(1, kFeiertagMaxYears);
    spnAnzJahre_->setValue(kHolidayPreviewYears);
    lstTermine_ = named(new QListWidget(fraTermine), "lst_Termine");
    auto* cmdIcs = named(new QPushButton(texts_(kFtExportIcs), fraTermine), "cmd_ics");
    auto* cmdCsv = named(new QPushButton(texts_(kFtExportCsv), fraTermine), "cmd_csv");
    auto* years = new QGridLayout;
    years->addWidget(new QLabel(texts_(kFtFromYear), fraTermine), 0, 0);
    years->addWidget(spnVonJahr_, 0, 1);
    years->addWidget(new QLabel(texts_(kFtForYears), fraTermine), 1, 0);
    years->addWidget(spnAnzJahre_, 1, 1);
    years->setColumnStretch(1, 1);
    // One above the other: side by side they would widen the dialog.
    auto* exports = new QVBoxLayout;
    exports->addWidget(cmdIcs);
    exports->addWidget(cmdCsv);
    auto* termine = new QVBoxLayout(fraTermine);
    termine->addLayout(years);
    termine->addWidget(lstTermine_, 1);
    termine->addLayout(exports);

    auto* cmdBeenden = named(new QPushButton(texts_(TextId::Exit), this), "cmd_Beenden");
    cmdBeenden->setDefault(false);
    cmdBeenden->setAutoDefault(false);
    cmdAdd_->setAutoDefault(false);

    auto* right = new QVBoxLayout;
    right->addWidget(fraSets, 1);
    right->addWidget(fraJahre);
    auto* columns = new QHBoxLayout;
    columns->addWidget(fraFeiertage, 3);
    columns->addLayout(right, 2);
    columns->addWidget(fraTermine, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdBeenden);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);

    fillHolidays(0);
    fillSets(0);
    showKind();
    // The lists get room where the screen has it; a small screen gets the
    // dialog at no more than its size (the program fits every window in).
    resize(sizeHint().expandedTo(QSize(980, 560)));

    connect(lstFeiertage_, &QListWidget::currentRowChanged, this, &FrmFeiertage::showHoliday);
    for (QRadioButton* o : {optFest_, optFrei_, optOstern_})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                showKind();
        });
    connect(hsbOstern_, &QScrollBar::valueChanged, this,
            [this](int v) { lblOstern_->setText(OsterText(v, texts_)); });
    connect(cmdAdd_, &QPushButton::clicked, this, &FrmFeiertage::addHoliday);
    connect(cmdDel_, &QPushButton::clicked, this, &FrmFeiertage::deleteHoliday);
    connect(cmdAddSet, &QPushButton::clicked, this, &FrmFeiertage::addSet);
    connect(cmdDelSet, &QPushButton::clicked, this, &FrmFeiertage::deleteSet);
    connect(cmdToSet, &QPushButton::clicked, this, &FrmFeiertage::addToSet);
    connect(cmdFromSet, &QPushButton::clicked, this, &FrmFeiertage::removeFromSet);
    connect(cboSets_, &QComboBox::currentIndexChanged, this, [this] {
        fillMembers();
        fillDates();
        showHoliday(lstFeiertage_->currentRow());
    });
    connect(lstSetGlieder_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        lstFeiertage_->setCurrentRow(item->data(Qt::UserRole).toInt());
    });
    connect(cboJahre_, &QComboBox::activated, this, [this](int index) {
        const std::vector<int> choices = JahreFreieFtChoices(device_.Bewft);
        if (index >= 0 && index < static_cast<int>(choices.size()))
            device_.JahreFreieFt = choices[static_cast<std::size_t>(index)];
    });
    connect(spnVonJahr_, &QSpinBox::valueChanged, this, &FrmFeiertage::fillDates);
    connect(spnAnzJahre_, &QSpinBox::valueChanged, this, &FrmFeiertage::fillDates);
    connect(cmdIcs, &QPushButton::clicked, this, [this] { exportDates(true); });
    connect(cmdCsv, &QPushButton::clicked, this, [this] { exportDates(false); });
    connect(cmdBeenden, &QPushButton::clicked, this, &FrmFeiertage::finish);
}

int FrmFeiertage::chosenSet() const
{
    const int set = cboSets_->currentIndex();
    return set >= 0 && set < table_.AnzSets() ? set : -1;
}

void FrmFeiertage::fillHolidays(int select)
{
    const QSignalBlocker block(lstFeiertage_);
    lstFeiertage_->clear();
    for (const Feiertag& f : table_.Feiertage())
        lstFeiertage_->addItem(f.Name);
    lstFeiertage_->setCurrentRow(std::min(select, table_.AnzFeiertage() - 1));
    showHoliday(lstFeiertage_->currentRow());
}

void FrmFeiertage::fillSets(int select)
{
    {
        const QSignalBlocker block(cboSets_);
        cboSets_->clear();
        for (const FeiertagSet& s : table_.Sets())
            cboSets_->addItem(s.SetName);
        cboSets_->setCurrentIndex(std::min(select, table_.AnzSets() - 1));
    }
    fillMembers();
    fillDates();
}

void FrmFeiertage::fillMembers()
{
    lstSetGlieder_->clear();
    const int set = chosenSet();
    if (set < 0)
        return;
    for (const int member : table_.Sets()[static_cast<std::size_t>(set)].SetGlied) {
        if (member < 0 || member >= table_.AnzFeiertage())
            continue;
        auto* item = new QListWidgetItem(table_.Feiertage()[static_cast<std::size_t>(member)].Name, lstSetGlieder_);
        item->setData(Qt::UserRole, member);
    }
}

void FrmFeiertage::fillDates()
{
    lstTermine_->clear();
    const std::vector<FeiertagTermin> termine =
        FeiertagTermine(table_, chosenSet(), spnVonJahr_->value(), spnAnzJahre_->value(), texts_(kFtSubstitute));
    for (const FeiertagTermin& t : termine) {
        lstTermine_->addItem(DateText(t.date.day, t.date.month, t.date.year, texts_) + QStringLiteral("  ") + t.name);
    }
}

void FrmFeiertage::showHoliday(int row)
{
    const bool has = row >= 0 && row < table_.AnzFeiertage();
    cmdDel_->setEnabled(has);
    const int set = chosenSet();
    bool member = false;
    if (has && set >= 0) {
        const std::vector<int>& glieder = table_.Sets()[static_cast<std::size_t>(set)].SetGlied;
        member = std::find(glieder.begin(), glieder.end(), row) != glieder.end();
    }
    chkImSet_->setChecked(member);
    if (!has)
        return;
    const FeiertagEingabe e = EingabeAusFeiertag(table_.Feiertage()[static_cast<std::size_t>(row)]);
    txtName_->setText(e.name);
    (e.art == FeiertagOstern ? optOstern_ : e.art == FeiertagFrei ? optFrei_
                                                                  : optFest_)
        ->setChecked(true);
    cboTag_->setCurrentIndex(e.tagIndex);
    cboMonat_->setCurrentIndex(e.monatIndex);
    cboWochentag_->setCurrentIndex(e.wochentagIndex);
    hsbOstern_->setValue(e.osterWert);
    chkErsatz_->setChecked(e.ersatz);
    showKind();
}

void FrmFeiertage::showKind()
{
    const bool ostern = optOstern_->isChecked();
    cboWochentag_->setVisible(optFrei_->isChecked());
    cboTag_->setVisible(!ostern);
    cboMonat_->setVisible(!ostern);
    hsbOstern_->setVisible(ostern);
    lblOstern_->setVisible(ostern);
    lblOstern_->setText(OsterText(hsbOstern_->value(), texts_));
    chkErsatz_->setEnabled(optFest_->isChecked());
    lblErsatz_->setEnabled(optFest_->isChecked());
}

bool FrmFeiertage::report(FeiertagResult result)
{
    if (const std::optional<Prompt> message = FeiertagMessage(result, texts_)) {
        ui_.beep();
        ui_.ask(*message);
        return false;
    }
    return true;
}

void FrmFeiertage::addHoliday()
{
    FeiertagEingabe e;
    e.name = txtName_->text().trimmed();
    e.art = optOstern_->isChecked() ? FeiertagOstern : optFrei_->isChecked() ? FeiertagFrei
                                                                             : FeiertagFest;
    e.tagIndex = cboTag_->currentIndex();
    e.monatIndex = cboMonat_->currentIndex();
    e.wochentagIndex = cboWochentag_->currentIndex();
    e.osterWert = hsbOstern_->value();
    e.ersatz = chkErsatz_->isChecked();
    if (!report(table_.addFeiertag(FeiertagAusEingabe(e))))
        return;
    fillHolidays(table_.AnzFeiertage() - 1);
    fillMembers();
    fillDates();
    emit tableChanged();
}

void FrmFeiertage::deleteHoliday()
{
    const int row = lstFeiertage_->currentRow();
    if (!report(table_.removeFeiertag(row)))
        return;
    fillHolidays(std::max(row - 1, 0));
    fillMembers();
    fillDates();
    emit tableChanged();
}

void FrmFeiertage::addSet()
{
    const std::optional<QString> name = askText_(texts_(TextId::SetName));
    if (!name)
        return;
    if (!report(table_.addSet(name->trimmed())))
        return;
    fillSets(table_.AnzSets() - 1);
    emit tableChanged();
}

void FrmFeiertage::deleteSet()
{
    const int set = chosenSet();
    if (set < 0) {
        report(FeiertagResult::NoSuchSet);
        return;
    }
    if (ui_.ask(Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::ReallyDelete})) != Answer::Ok)
        return;
    table_.removeSet(set);
    fillSets(std::max(set - 1, 0));
    showHoliday(lstFeiertage_->currentRow());
    emit tableChanged();
}

void FrmFeiertage::addToSet()
{
    changeMembership(&FeiertagTabelle::addToSet);
}

void FrmFeiertage::removeFromSet()
{
    changeMembership(&FeiertagTabelle::removeFromSet);
}

void FrmFeiertage::changeMembership(FeiertagResult (FeiertagTabelle::*change)(int, int))
{
    if (!report((table_.*change)(chosenSet(), lstFeiertage_->currentRow())))
        return;
    fillMembers();
    fillDates();
    showHoliday(lstFeiertage_->currentRow());
    emit tableChanged();
}

void FrmFeiertage::exportDates(bool ics)
{
    const int set = chosenSet();
    const QString name = set >= 0 ? table_.Sets()[static_cast<std::size_t>(set)].SetName : texts_(kFtAllHolidays);
    const QString path = askSaveFile_(name + (ics ? QStringLiteral(".ics") : QStringLiteral(".csv")),
                                      ics ? QStringLiteral("*.ics") : QStringLiteral("*.csv"));
    if (path.isEmpty())
        return;
    if (CheckExportTarget(path) == ExportTargetCheck::ProgramFile) {
        ui_.ask(ExportTargetRefusal(path));
        return;
    }
    const std::vector<FeiertagTermin> termine =
        FeiertagTermine(table_, set, spnVonJahr_->value(), spnAnzJahre_->value(), texts_(kFtSubstitute));
    const QByteArray data = ics ? FeiertagIcs(termine, name, QDateTime::currentDateTimeUtc()) : FeiertagCsv(termine);
    QString error;
    if (!WriteExportFile(path, data, &error))
        ui_.ask(Prompt::message(Icon::Critical,
                                {texts_(kFtExportFailed) + QLatin1Char(' ') + path + QStringLiteral(": ") + error}));
}

void FrmFeiertage::finish()
{
    // A failed write keeps the old file; the dialog stays open to try again.
    QString error;
    const FeiertagResult written = table_.write(file_, &error);
    if (written == FeiertagResult::NewerKind) {
        // The newer version's file stays as it is; nothing here can keep it.
        ui_.ask(Prompt::message(Icon::Critical, {texts_(kFtNewerKind) + QLatin1Char(' ') + file_}));
        reject();
        return;
    }
    if (written != FeiertagResult::Ok) {
        ui_.ask(Prompt::message(Icon::Critical,
                                {texts_(kFtWriteFailed) + QLatin1Char(' ') + file_ + QStringLiteral(": ") + error}));
        return;
    }
    accept();
}

} // namespace zendrik
