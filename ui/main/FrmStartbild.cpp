#include "ui/main/FrmStartbild.h"

#include "language/LanguageChoice.h"
#include "language/TextTable.h"
#include "model/DeviceTypes.h"
#include "model/FileNames.h"
#include "model/ProgramModel.h"
#include "ui/common/Icons.h"
#include "ui/common/MnemonicSet.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zendrik {

namespace {

// The introduction program of the maker's own brand, in the working directory.
const QString kIntroductionProgram = QStringLiteral("ZX900.exe");

constexpr ExtraText kIntroductionTip{"Einführung in das Programm starten", "Start the introduction to the program",
                                     "Lancer l'introduction au programme"};
constexpr ExtraText kFurtherLanguageTip{"Weitere Sprache aus einer Übersetzungsdatei laden (*.ln1)",
                                        "Load a further language from a translation file (*.ln1)",
                                        "Charger une autre langue depuis un fichier de traduction (*.ln1)"};
constexpr int kOwnBrand = 1;

// Language buttons show the language's own name, whatever language is in use.
QToolButton* languageButton(const QString& objectName, const QString& name, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setText(name);
    b->setCheckable(true);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMinimumWidth(96);
    b->setMinimumHeight(30);
    return b;
}

} // namespace

FrmStartbild::FrmStartbild(ProgramModel& model, const TextTable& texts, const QString& workDir, QWidget* parent)
    : QWidget(parent), model_(model), texts_(texts), workDir_(workDir)
{
    setObjectName(QStringLiteral("frmstartbild"));
    setWindowTitle(kAppTitel);

    banner_ = new QLabel(this);
    banner_->setPixmap(Icons::Banner(kAppTitel, kVersionText, QSize(560, 170)));
    banner_->setFixedSize(560, 170);

    lblUhrentyp_ = new QLabel(this);
    cboUhrentyp_ = new QComboBox(this);
    cboUhrentyp_->setObjectName(QStringLiteral("cboUhrentyp"));
    cboUhrentyp_->setMinimumHeight(30);
    lblUhrentyp_->setBuddy(cboUhrentyp_);

    AniDeutsch_ = languageButton(QStringLiteral("AniDeutsch"), QStringLiteral("Deutsch"), this);
    AniEnglisch_ = languageButton(QStringLiteral("AniEnglisch"), QStringLiteral("English"), this);
    AniFrance_ = languageButton(QStringLiteral("AniFrance"), QStringLiteral("Français"), this);
    languages_ = new QButtonGroup(this);
    languages_->setExclusive(true);
    languages_->addButton(AniDeutsch_, kSpracheDeutsch);
    languages_->addButton(AniEnglisch_, kSpracheEnglisch);
    languages_->addButton(AniFrance_, kSpracheFranzoesisch);

    Aniworld_ = new QToolButton(this);
    Aniworld_->setObjectName(QStringLiteral("Aniworld"));
    Aniworld_->setIcon(Icons::Globe());
    Aniworld_->setIconSize(QSize(22, 22));
    Aniworld_->setMinimumHeight(30);

    cmdeinfuehrung_ = new QToolButton(this);
    cmdeinfuehrung_->setObjectName(QStringLiteral("cmdeinführung"));
    cmdeinfuehrung_->setIcon(Icons::Play());
    cmdeinfuehrung_->setIconSize(QSize(22, 22));
    cmdeinfuehrung_->setMinimumHeight(30);

    cmd_ok_ = new QPushButton(this);
    cmd_ok_->setObjectName(QStringLiteral("cmd_ok"));
    cmd_ok_->setDefault(true);
    cmd_ok_->setMinimumSize(110, 32);

    version_ = new QLabel(this);
    version_->setForegroundRole(QPalette::PlaceholderText);

    auto* languageRow = new QHBoxLayout;
    languageRow->setSpacing(6);
    languageRow->addWidget(AniDeutsch_);
    languageRow->addWidget(AniEnglisch_);
    languageRow->addWidget(AniFrance_);
    languageRow->addWidget(Aniworld_);
    languageRow->addStretch(1);
    languageRow->addWidget(cmdeinfuehrung_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(version_);
    buttons->addStretch(1);
    buttons->addWidget(cmd_ok_);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(24, 18, 24, 20);
    body->setSpacing(10);
    body->addWidget(lblUhrentyp_);
    body->addWidget(cboUhrentyp_);
    body->addSpacing(8);
    body->addLayout(languageRow);
    body->addSpacing(12);
    body->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(banner_);
    outer->addLayout(body);
    setFixedWidth(560);

    connect(languages_, &QButtonGroup::idClicked, this, &FrmStartbild::languageChosen);
    connect(Aniworld_, &QToolButton::clicked, this, &FrmStartbild::furtherLanguageRequested);
    connect(cmdeinfuehrung_, &QToolButton::clicked, this, &FrmStartbild::startIntroduction);
    connect(cmd_ok_, &QPushButton::clicked, this, [this] {
        if (const int row = chosenRow(); row != 0)
            emit confirmed(row);
    });

    load();
}

void FrmStartbild::load()
{
    const int brand = model_.device.BrandIndex;
    cboUhrentyp_->clear();
    // The items carry their row; their names follow the language (retranslate).
    for (int row = 1; row <= kDeviceTypeRows; ++row) {
        if (OfferedDeviceTypeNames(brand).contains(DeviceTypeName(row, brand)))
            cboUhrentyp_->addItem(DeviceTypeName(row, brand), row);
    }
    const int index = cboUhrentyp_->findData(DefaultDeviceTypeRow(model_.device));
    cboUhrentyp_->setCurrentIndex(std::max(0, index));
    retranslate();
}

void FrmStartbild::retranslate()
{
    const int sprache = model_.device.Sprache;
    if (QAbstractButton* b = languages_->button(sprache))
        b->setChecked(true);
    else if (QAbstractButton* checked = languages_->checkedButton()) {
        languages_->setExclusive(false);
        checked->setChecked(false);
        languages_->setExclusive(true);
    }
    const ExtraLanguage language = DeviceTypeLanguage(model_.device.Sprache);
    for (int i = 0; i < cboUhrentyp_->count(); ++i)
        cboUhrentyp_->setItemText(i, DeviceTypeName(cboUhrentyp_->itemData(i).toInt(), model_.device.BrandIndex, language));
    lblUhrentyp_->setText(texts_(TextId::DeviceType));
    cmdeinfuehrung_->setToolTip(texts_(kIntroductionTip));
    Aniworld_->setToolTip(texts_(kFurtherLanguageTip));
    cmd_ok_->setText(texts_(TextId::Ok));
    version_->setText(texts_.version());
    updateIntroduction();
    GiveMnemonics(this);
}

int FrmStartbild::chosenRow() const
{
    return cboUhrentyp_->currentIndex() < 0 ? 0 : cboUhrentyp_->currentData().toInt();
}

void FrmStartbild::updateIntroduction()
{
    // Only the maker's own brand ships the introduction, and only in German.
    const bool available = model_.device.BrandIndex == kOwnBrand && model_.device.Sprache == kSpracheDeutsch
        && FileExists(QDir(workDir_).filePath(kIntroductionProgram));
    cmdeinfuehrung_->setEnabled(available);
}

void FrmStartbild::startIntroduction()
{
    if (!QProcess::startDetached(QDir(workDir_).filePath(kIntroductionProgram), {}, workDir_))
        QApplication::beep();
}

} // namespace zendrik
