#include "ui/transfer/FrmMaster.h"

#include "language/ExtraText.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zendrik {

namespace {

// The coding window's texts; German as the window has always shown them.
constexpr ExtraText kCoding{"Codierung", "Card coding", "Codage"};
constexpr ExtraText kFrameCard{"Mastercard", "Master card", "Carte maître"};
constexpr ExtraText kProgcard{"Progcard", "Program card", "Carte programme"};
constexpr ExtraText kMastercard{"Mastercard", "Master card", "Carte maître"};
constexpr ExtraText kFramePermanent{"Dauerschaltung", "Permanent switching", "Commutation permanente"};
constexpr ExtraText kByKeyboard{"über Tastatur", "by keyboard", "par le clavier"};
constexpr ExtraText kBySwitch{"über Schalter", "by switch", "par le commutateur"};
constexpr ExtraText kFrameNak{"Basisstrom bei NAK", "Base current at NAK", "Courant de base en NAK"};
constexpr ExtraText kSwitchOff{"abschalten", "switch off", "couper"};
constexpr ExtraText kLeaveOn{"anlassen", "leave on", "laisser"};
constexpr ExtraText kFrameDate{"Datumsformat", "Date format", "Format de date"};
constexpr ExtraText kEuro{"Euro", "Euro", "Euro"};
constexpr ExtraText kUsa{"USA", "USA", "USA"};
constexpr ExtraText kFrameLanguage{"Sprache", "Language", "Langue"};
constexpr ExtraText kGerman{"Deutsch", "German", "Allemand"};
constexpr ExtraText kFrench{"Französisch", "French", "Français"};
constexpr ExtraText kFrameTimebase{"Zeitbasis", "Time base", "Base de temps"};
constexpr ExtraText kRadio{"Funk", "Radio", "Radio"};
constexpr ExtraText kQuartz{"Quarz", "Quartz", "Quartz"};
constexpr ExtraText kFrameBits{"Kennung (Byte 18)", "Identification (byte 18)", "Identification (octet 18)"};
constexpr ExtraText kDone{"Fertig", "Done", "Terminé"};

} // namespace

FrmMaster::FrmMaster(ProgramModel& model, const TextTable& texts, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), model_(model), texts_(texts), ui_(ui)
{
    setObjectName(QStringLiteral("FrmMaster"));
    setWindowTitle(texts_(kCoding));

    const auto frame = [this](const char* name, const ExtraText& caption) {
        auto* f = new QGroupBox(texts_(caption), this);
        f->setObjectName(QString::fromLatin1(name));
        new QVBoxLayout(f);
        return f;
    };
    QGroupBox* Frame1 = frame("Frame1", kFrameCard);
    option(Frame1, "optprogcard", texts_(kProgcard), MasterField::CardKind, 0);
    option(Frame1, "optmastercard", texts_(kMastercard), MasterField::CardKind, 1);
    QGroupBox* Frame7 = frame("Frame7", kFramePermanent);
    option(Frame7, "optDautast", texts_(kByKeyboard), MasterField::Dauertaste, 1);
    option(Frame7, "optDauschalt", texts_(kBySwitch), MasterField::Dauertaste, 0);
    QGroupBox* Frame6 = frame("Frame6", kFrameNak);
    option(Frame6, "optNakoff", texts_(kSwitchOff), MasterField::Nak, 1);
    option(Frame6, "optNAKON", texts_(kLeaveOn), MasterField::Nak, 0);
    QGroupBox* Frame4 = frame("Frame4", kFrameDate);
    option(Frame4, "optEurodat", texts_(kEuro), MasterField::Datumsformat, 1);
    option(Frame4, "optUSAdat", texts_(kUsa), MasterField::Datumsformat, 0);
    QGroupBox* Frame3 = frame("Frame3", kFrameLanguage);
    // The clock's language as the device stores it: 0 the German (and
    // English) clock, 1 the French one, as in the device properties.
    option(Frame3, "optgerman", texts_(kGerman), MasterField::SpracheUhr, 0);
    option(Frame3, "optfranz", texts_(kFrench), MasterField::SpracheUhr, 1);
    QGroupBox* Frame2 = frame("Frame2", kFrameTimebase);
    option(Frame2, "optfunk", texts_(kRadio), MasterField::Funk, 1);
    option(Frame2, "optquart", texts_(kQuartz), MasterField::Funk, 0);

    FrmVersch_ = new QGroupBox(texts_(kFrameBits), this);
    FrmVersch_->setObjectName(QStringLiteral("FrmVersch"));
    auto* bits = new QGridLayout(FrmVersch_);
    for (int b = 0; b < 8; ++b) {
        auto* box = new QCheckBox(texts_(kMasterBitNames[static_cast<std::size_t>(b)]), FrmVersch_);
        box->setObjectName(QStringLiteral("Check%1").arg(b + 1));
        Check_[static_cast<std::size_t>(b)] = box;
        bits->addWidget(box, b / 4, b % 4);
        // Only a click counts, never the control being set.
        connect(box, &QCheckBox::clicked, this, [this, b](bool on) { clicked({MasterField::Bit, on ? 1 : 0, b}); });
    }
    // On the astro device byte 18 belongs to the astro location, and its
    // option byte keeps no clock language.
    FrmVersch_->setVisible(MasterBitsApply(model_));
    Frame3->setVisible(MasterLanguageApplies(model_));

    auto* cmdmachmstr = new QPushButton(texts_(kDone), this);
    cmdmachmstr->setObjectName(QStringLiteral("cmdmachmstr"));
    cmdmachmstr->setDefault(true);
    connect(cmdmachmstr, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout;
    grid->setSpacing(10);
    const QGroupBox* frames[] = {Frame1, Frame7, Frame6, Frame4, Frame3, Frame2};
    for (int i = 0; i < 6; ++i)
        grid->addWidget(const_cast<QGroupBox*>(frames[i]), i / 3, i % 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdmachmstr);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(12);
    layout->addLayout(grid);
    layout->addWidget(FrmVersch_);
    layout->addLayout(buttons);
    load();
}

QRadioButton* FrmMaster::option(QGroupBox* frame, const char* name, const QString& caption, MasterField field,
                                int value)
{
    auto* b = new QRadioButton(caption, frame);
    b->setObjectName(QString::fromLatin1(name));
    frame->layout()->addWidget(b);
    choices_.push_back({b, field, value});
    connect(b, &QRadioButton::clicked, this, [this, field, value] { clicked({field, value, 0}); });
    return b;
}

void FrmMaster::load()
{
    const MasterState s = MasterStateOf(model_);
    const auto valueOf = [&s](MasterField f) {
        switch (f) {
        case MasterField::CardKind:
            return s.masterCard ? 1 : 0;
        case MasterField::Dauertaste:
            return s.Dauertaste;
        case MasterField::Nak:
            return s.Nak;
        case MasterField::Datumsformat:
            return s.Datumsformat;
        case MasterField::SpracheUhr:
            return s.SpracheUhr;
        case MasterField::Funk:
            return s.Funk;
        case MasterField::Bit:
            break;
        }
        return 0;
    };
    // setChecked sends no clicked signal: loading changes nothing.
    for (const Choice& c : choices_) {
        if (valueOf(c.field) == c.value)
            c.button->setChecked(true);
    }
    for (int b = 0; b < 8; ++b)
        Check_[static_cast<std::size_t>(b)]->setChecked(s.bits[static_cast<std::size_t>(b)]);
    // The eight bits travel on a master card only: a program card's file
    // and chip do not keep them.
    FrmVersch_->setEnabled(s.masterCard);
}

void FrmMaster::clicked(const MasterClick& click)
{
    ApplyMasterClick(model_, ui_, click);
    FrmVersch_->setEnabled(MasterStateOf(model_).masterCard);
    emit programChanged();
}

} // namespace zendrik
