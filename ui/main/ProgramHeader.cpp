#include "ui/main/ProgramHeader.h"

#include "language/TextTable.h"
#include "model/HeaderFields.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "ui/common/Icons.h"
#include "ui/common/KeyFilter.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace {

constexpr ExtraText kWriteProtectionTip{"Schreibschutz: Programm im Gerät gegen Ändern am Gerät sperren (ein/aus)",
                                        "Write protection: lock the program against changes at the device (on/off)",
                                        "Protection en écriture : verrouiller le programme contre toute modification "
                                        "sur l'appareil (marche/arrêt)"};

// The filter box turns yellow while the filter is on.
const QString kFilterOnStyle = QStringLiteral("#picfilter { background: #FFFF10; border: 1px solid #C9B800; border-radius: 6px; }");
const QString kFilterOffStyle = QStringLiteral("#picfilter { border: 1px solid palette(mid); border-radius: 6px; }");

// Channel names per row of the header: the 16-channel bus device gets two rows.
constexpr int kChannelsPerRow = 8;
// The description stays readable whatever takes room beside the header
// (the check dock, a narrow screen): this many characters at least.
constexpr int kDescriptionVisibleChars = 24;

QToolButton* filterSwitch(const QString& name, bool on, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(Icons::Filter(on));
    b->setIconSize(QSize(28, 28));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

ProgramHeader::ProgramHeader(ProgramModel& model, const TextTable& texts, UserInteraction& ui, QWidget* parent)
    : QWidget(parent), model_(model), texts_(texts), ui_(ui)
{
    setObjectName(QStringLiteral("ProgramHeader"));

    lblProgrammnummer_ = new QLabel(this);
    txtProgrammnummer_ = new QLineEdit(this);
    txtProgrammnummer_->setObjectName(QStringLiteral("txtProgrammnummer"));
    // Six digits and the blanks between them.
    txtProgrammnummer_->setMaxLength(2 * kProgramNumberDigits);
    txtProgrammnummer_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16);
    txtProgrammnummer_->installEventFilter(new KeyFilter(ProgramNumberKeyAccepted, ui_, txtProgrammnummer_));
    lblProgrammnummer_->setBuddy(txtProgrammnummer_);

    lblverwendung_ = new QLabel(this);
    txtverwendung_ = new QLineEdit(this);
    txtverwendung_->setObjectName(QStringLiteral("txtverwendung"));
    txtverwendung_->installEventFilter(new KeyFilter(DescriptionKeyAccepted, ui_, txtverwendung_));
    lblverwendung_->setBuddy(txtverwendung_);
    {
        // The characters plus the field's frame and inner margins.
        const int text = txtverwendung_->fontMetrics().horizontalAdvance(QString(kDescriptionVisibleChars, u'n'));
        const int chrome = txtverwendung_->minimumSizeHint().width() - txtverwendung_->fontMetrics().maxWidth();
        txtverwendung_->setMinimumWidth(text + std::max(chrome, 4));
    }

    AniSchreibschutz_ = new QToolButton(this);
    AniSchreibschutz_->setObjectName(QStringLiteral("AniSchreibschutz"));
    AniSchreibschutz_->setCheckable(true);
    AniSchreibschutz_->setIcon(Icons::Lock());
    AniSchreibschutz_->setIconSize(QSize(24, 24));
    AniSchreibschutz_->setAutoRaise(true);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    // The number above the description (side by side they would take the
    // room of a small screen, with the check dock open even more), the
    // write protection and the filter switch beside the number.
    auto* switches = new QHBoxLayout;
    switches->setSpacing(8);
    fields->addWidget(lblProgrammnummer_, 0, 0);
    fields->addWidget(txtProgrammnummer_, 0, 1, Qt::AlignLeft);
    fields->addLayout(switches, 0, 2, Qt::AlignRight);
    fields->addWidget(lblverwendung_, 1, 0);
    fields->addWidget(txtverwendung_, 1, 1, 1, 2);
    fields->setColumnStretch(1, 1);

    channelGrid_ = new QGridLayout;
    channelGrid_->setHorizontalSpacing(6);
    channelGrid_->setVerticalSpacing(4);

    // Memory use.
    lblSpeicher_ = new QLabel(this);
    ggeanzSz_ = new QProgressBar(this);
    ggeanzSz_->setObjectName(QStringLiteral("ggeanzSz"));
    ggeanzSz_->setTextVisible(false);
    ggeanzSz_->setFixedHeight(10);
    ggeanzSz_->setMinimumWidth(150);
    lblanzSz_ = new QLabel(this);
    lblanzSz_->setObjectName(QStringLiteral("lblanzSz"));
    auto* memory = new QVBoxLayout;
    memory->setSpacing(3);
    memory->addWidget(lblSpeicher_);
    memory->addWidget(ggeanzSz_);
    memory->addWidget(lblanzSz_);

    // Filter switches: the visible one shows the state, clicking it toggles.
    picfilter_ = new QFrame(this);
    picfilter_->setObjectName(QStringLiteral("picfilter"));
    imgfilt_ = filterSwitch(QStringLiteral("imgfilt"), true, picfilter_);
    imgnofilt_ = filterSwitch(QStringLiteral("imgnofilt"), false, picfilter_);
    lblfilter_ = new QLabel(picfilter_);
    auto* filterBox = new QHBoxLayout(picfilter_);
    filterBox->setContentsMargins(6, 2, 10, 2);
    filterBox->addWidget(imgfilt_);
    filterBox->addWidget(imgnofilt_);
    filterBox->addWidget(lblfilter_);
    connect(imgfilt_, &QToolButton::clicked, this, [this] { emit filterSwitched(false); });
    connect(imgnofilt_, &QToolButton::clicked, this, [this] { emit filterSwitched(true); });

    switches->addWidget(AniSchreibschutz_, 0, Qt::AlignVCenter);
    switches->addWidget(picfilter_, 0, Qt::AlignVCenter);

    // The fields and the memory use above, the channel names below over
    // the whole width (sixteen on the bus device).
    auto* top = new QHBoxLayout;
    top->setSpacing(24);
    top->addLayout(fields, 1);
    top->addLayout(memory);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 10, 8);
    column->setSpacing(6);
    column->addLayout(top);
    column->addLayout(channelGrid_);

    connect(txtProgrammnummer_, &QLineEdit::editingFinished, this, &ProgramHeader::commitProgramNumber);
    connect(txtverwendung_, &QLineEdit::editingFinished, this, &ProgramHeader::commitDescription);
    connect(AniSchreibschutz_, &QToolButton::clicked, this, &ProgramHeader::commitWriteProtection);

    showFilter(false);
    retranslate();
}

void ProgramHeader::retranslate()
{
    lblProgrammnummer_->setText(texts_(TextId::ProgramNumber));
    lblverwendung_->setText(texts_(TextId::Usage));
    lblSpeicher_->setText(texts_(TextId::MemoryUsed).trimmed());
    lblfilter_->setText(texts_(filterOn_ ? TextId::Filtered : TextId::Unfiltered));
    imgfilt_->setToolTip(texts_(TextId::Filtered));
    imgnofilt_->setToolTip(texts_(TextId::Unfiltered));
    AniSchreibschutz_->setToolTip(texts_(kWriteProtectionTip));
    AniSchreibschutz_->setAccessibleName(texts_(kWriteProtectionTip));
}

void ProgramHeader::rebuildChannelBoxes(int count)
{
    if (count == txtkannam_.size())
        return;
    qDeleteAll(channelLabels_);
    qDeleteAll(txtkannam_);
    channelLabels_.clear();
    txtkannam_.clear();
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(ChannelCaption(i + 1), this);
        label->setObjectName(QStringLiteral("lblkannam"));
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtkannam"));
        box->setProperty("Index", i);
        box->installEventFilter(new KeyFilter(ChannelNameKeyAccepted, ui_, box));
        label->setBuddy(box);
        const int r = i / kChannelsPerRow;
        const int c = (i % kChannelsPerRow) * 2;
        channelGrid_->addWidget(label, r, c);
        channelGrid_->addWidget(box, r, c + 1);
        channelGrid_->setColumnStretch(c + 1, 1);
        connect(box, &QLineEdit::editingFinished, this, [this, i] { commitChannelName(i); });
        channelLabels_ << label;
        txtkannam_ << box;
    }
}

void ProgramHeader::refresh()
{
    const ProgramSlot& s = model_.slot(model_.AktSlot);
    const bool sample = model_.AktSlot != kProgramSlot;
    // Every device type keeps a program number (the astro device's file keeps
    // it after the channel names, as its image has no place for it).
    txtProgrammnummer_->setText(ProgramNumberText(s));
    txtProgrammnummer_->setReadOnly(sample);
    txtverwendung_->setText(s.Verwendung);
    txtverwendung_->setReadOnly(sample);
    AniSchreibschutz_->setChecked(s.Schreibschutz != 0);
    AniSchreibschutz_->setEnabled(!sample);

    rebuildChannelBoxes(model_.device.Kanalzahl);
    for (int i = 0; i < txtkannam_.size(); ++i) {
        txtkannam_[i]->setText(ShownChannelName(s.Kanalname[static_cast<std::size_t>(i)]));
        txtkannam_[i]->setReadOnly(sample);
    }
}

void ProgramHeader::commitAll()
{
    commitProgramNumber();
    commitDescription();
    for (int i = 0; i < txtkannam_.size(); ++i)
        commitChannelName(i);
}

void ProgramHeader::showMemory(const QString& label, int used, int capacity)
{
    ggeanzSz_->setRange(0, std::max(1, capacity));
    ggeanzSz_->setValue(std::clamp(used, 0, std::max(1, capacity)));
    lblanzSz_->setText(label);
}

void ProgramHeader::showFilter(bool on)
{
    filterOn_ = on;
    imgfilt_->setVisible(on);
    imgnofilt_->setVisible(!on);
    picfilter_->setStyleSheet(on ? kFilterOnStyle : kFilterOffStyle);
    lblfilter_->setText(texts_(on ? TextId::Filtered : TextId::Unfiltered));
}

void ProgramHeader::commitProgramNumber()
{
    if (!txtProgrammnummer_->isModified() || txtProgrammnummer_->isReadOnly() || !txtProgrammnummer_->isEnabled())
        return;
    const FieldCommit result = CommitProgramNumber(model_, txtProgrammnummer_->text());
    if (result == FieldCommit::Refused)
        ui_.beep();
    txtProgrammnummer_->setText(ProgramNumberText(model_.slot(model_.AktSlot)));
    if (result == FieldCommit::Changed)
        emit programChanged();
}

void ProgramHeader::commitDescription()
{
    if (!txtverwendung_->isModified() || txtverwendung_->isReadOnly())
        return;
    const FieldCommit result = CommitDescription(model_, txtverwendung_->text());
    if (result == FieldCommit::Refused)
        ui_.beep();
    txtverwendung_->setText(model_.slot(model_.AktSlot).Verwendung);
    if (result == FieldCommit::Changed)
        emit programChanged();
}

void ProgramHeader::commitChannelName(int index)
{
    QLineEdit* box = txtkannam_.value(index);
    if (!box || !box->isModified() || box->isReadOnly())
        return;
    const FieldCommit result = CommitChannelName(model_, channelLabels_[index]->text(), box->text());
    if (result == FieldCommit::Refused)
        ui_.beep();
    const int channel = ChannelOfCaption(channelLabels_[index]->text());
    box->setText(ShownChannelName(model_.slot(model_.AktSlot).Kanalname[static_cast<std::size_t>(channel - 1)]));
    if (result == FieldCommit::Changed)
        emit programChanged();
}

void ProgramHeader::commitWriteProtection(bool on)
{
    if (CommitWriteProtection(model_, on) == FieldCommit::Changed)
        emit programChanged();
}

} // namespace zendrik
