#include "ui/entry/EntryDialog.h"

#include "editing/AssistantSettings.h"
#include "editing/ChannelChoice.h"
#include "editing/EntrySession.h"
#include "language/TextTable.h"
#include "model/EntryBuilder.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "ui/common/Icons.h"
#include "ui/common/ScreenFit.h"
#include "ui/entry/EntryBox.h"
#include "ui/entry/FrmAutoEinst.h"
#include "ui/entry/LastEntryView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace {

// OK for all presses OK this often; each stored entry restarts the timer.
constexpr int kOkForAllMs = 25;
// How long the check mark shows that an entry was stored.
constexpr int kCheckMarkMs = 700;
// Channel boxes: the conventional entry holds four channels.
constexpr int kChannelBoxes = 4;

QPushButton* button(const char* name, QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

EntryDialog::EntryDialog(const EntryContext& ctx, const ControlNames& names, QWidget* parent)
    : QDialog(parent), ctx_(ctx), names_(names)
{
    setObjectName(QString::fromLatin1(names.form));
    buildChannels();
    buildState();

    fraAuto_ = new QGroupBox(this);
    fraAuto_->setObjectName(QStringLiteral("fraAuto"));
    chkautopil_ = new QCheckBox(fraAuto_);
    chkautopil_->setObjectName(QStringLiteral("chkautopil"));
    Cmd1xauto_ = button("Cmd1xauto", fraAuto_);
    cmdneuassi_ = button("cmdneuassi", fraAuto_);
    // Enter stays OK while the focus is on a field's button.
    Cmd1xauto_->setAutoDefault(false);
    cmdneuassi_->setAutoDefault(false);
    auto* autoLayout = new QHBoxLayout(fraAuto_);
    autoLayout->addWidget(chkautopil_);
    autoLayout->addStretch(1);
    autoLayout->addWidget(Cmd1xauto_);
    autoLayout->addWidget(cmdneuassi_);

    panel_ = new LastEntryView(QString(), this);

    imgok_ = new QLabel(this);
    imgok_->setObjectName(QString::fromLatin1(names.okImage));
    imgok_->setPixmap(Icons::CheckMark().pixmap(QSize(26, 26)));
    imgok_->setFixedSize(QSize(26, 26));
    QSizePolicy keepSpace = imgok_->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    imgok_->setSizePolicy(keepSpace);
    imgok_->hide();
    lblHinweis_ = new QLabel(this);
    lblHinweis_->setObjectName(QStringLiteral("lblHinweis"));
    lblHinweis_->setStyleSheet(QStringLiteral("QLabel#lblHinweis { color: #b71c1c; }"));
    lblHinweis_->setWordWrap(true);
    lblHinweis_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    cmdOk_ = button(names.ok, this);
    cmdOk_->setDefault(true);
    Cmdalleok_ = button("Cmdalleok", this);
    cmdEnd_ = button(names.close, this);

    Tmalleok_ = new QTimer(this);
    Tmalleok_->setObjectName(QStringLiteral("Tmalleok"));
    Tmalleok_->setSingleShot(true);
    Tmalleok_->setInterval(kOkForAllMs);
    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setSingleShot(true);
    Timer1_->setInterval(kCheckMarkMs);

    connect(cmdOk_, &QPushButton::clicked, this, &EntryDialog::pressOk);
    connect(Cmdalleok_, &QPushButton::clicked, this, &EntryDialog::pressOkForAll);
    connect(cmdEnd_, &QPushButton::clicked, this, &QDialog::reject);
    connect(Tmalleok_, &QTimer::timeout, this, &EntryDialog::tick);
    connect(Timer1_, &QTimer::timeout, imgok_, &QLabel::hide);
    connect(Cmd1xauto_, &QPushButton::clicked, this, &EntryDialog::assistantStep);
    connect(cmdneuassi_, &QPushButton::clicked, this, &EntryDialog::openSettings);
    connect(chkautopil_, &QCheckBox::toggled, this, [this](bool on) { ctx_.assistant.AutoAktiv = on ? 1 : 0; });
    connect(panel_, &LastEntryView::browse, this, &EntryDialog::browse);
}

EntryBox* EntryDialog::entryBox(const char* boxName, const char* listName, const QStringList& items,
                                const QString& caption, std::function<std::optional<int>(const QString&)> parse,
                                const QString& rangeHint)
{
    auto* b = new EntryBox(QString::fromLatin1(boxName), QString::fromLatin1(listName), items, std::move(parse),
                           ctx_.ui, this);
    b->setCaption(mnemonics_.mark(caption.trimmed()));
    b->setRangeHint(rangeHint);
    connect(b, &EntryBox::hintChanged, this, [this, b](const QString& hint) {
        // A box that is valid again clears only its own hint.
        if (hint.isEmpty() && hintFrom_ != b)
            return;
        hintFrom_ = hint.isEmpty() ? nullptr : b;
        lblHinweis_->setText(hint);
    });
    return b;
}

QGroupBox* EntryDialog::fieldGroup(const QString& title)
{
    auto* g = new QGroupBox(title.trimmed(), this);
    QSizePolicy keepSpace = g->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    g->setSizePolicy(keepSpace);
    return g;
}

void EntryDialog::buildChannels()
{
    const DeviceSettings& device = ctx_.model.device;
    fraKanal_ = new QGroupBox(this);
    fraKanal_->setObjectName(QStringLiteral("fraKanal"));
    auto* layout = new QGridLayout(fraKanal_);
    if (ChannelChoice::usesCombo(device)) {
        cboKanal_ = new QComboBox(fraKanal_);
        cboKanal_->setObjectName(QStringLiteral("cboKanal"));
        for (int c = 1; c <= device.Kanalzahl; ++c)
            cboKanal_->addItem(ctx_.texts(TextId::ChannelWord) + QLatin1Char(' ') + QString::number(c));
        layout->addWidget(cboKanal_, 0, 0);
        connect(cboKanal_, &QComboBox::activated, this, [this](int index) {
            channels_->setChannel(index, true, ctx_.model.device);
            showChannels();
        });
    } else {
        for (int c = 0; c < std::clamp(device.Kanalzahl, 1, kChannelBoxes); ++c) {
            auto* box = new QCheckBox(fraKanal_);
            box->setObjectName(QStringLiteral("chkKan%1").arg(c + 1));
            layout->addWidget(box, c / 2, c % 2);
            chkKan_ << box;
            connect(box, &QCheckBox::clicked, this, [this, c](bool on) {
                channels_->setChannel(c, on, ctx_.model.device);
                showChannels();
            });
        }
    }
    layout->setRowStretch(layout->rowCount(), 1);
}

void EntryDialog::buildState()
{
    fraZustand_ = fieldGroup(QString());
    auto* layout = new QHBoxLayout(fraZustand_);
    if (ctx_.model.eib()) {
        // The bus format sends a telegram value instead of ON and OFF.
        txtWert_ = new QSpinBox(fraZustand_);
        txtWert_->setObjectName(QStringLiteral("txtWert"));
        txtWert_->setRange(0, kMaxTelegramValue);
        layout->addWidget(txtWert_);
        connect(txtWert_, &QSpinBox::valueChanged, this, [this](int value) { *state_ = value; });
    } else {
        cmdEinAus_ = button("cmdEinAus", fraZustand_);
        cmdEinAus_->setCheckable(true);
        // Its text is the state, not a caption (Tab and Space reach it).
        KeepCaptions(cmdEinAus_);
        cmdEinAus_->setAutoDefault(false);
        cmdEinAus_->setStyleSheet(QStringLiteral(
            "QPushButton#cmdEinAus { font-weight: bold; padding: 4px 14px; }"
            "QPushButton#cmdEinAus:checked { background: #16a34a; color: white; border: 1px solid #15803d;"
            " border-radius: 3px; }"));
        // Sized once for the longer of the language's two state texts, so the
        // text is never cut and the button keeps its width when it toggles.
        cmdEinAus_->ensurePolished();
        int width = 72;
        for (const TextId state : {TextId::On, TextId::Off}) {
            cmdEinAus_->setText(ctx_.texts(state));
            width = std::max(width, cmdEinAus_->sizeHint().width());
        }
        cmdEinAus_->setFixedWidth(width);
        layout->addWidget(cmdEinAus_);
        connect(cmdEinAus_, &QPushButton::clicked, this, [this] {
            *state_ = *state_ == 1 ? 0 : 1;
            showState();
        });
    }
    layout->addStretch(1);
    layout->setAlignment(Qt::AlignTop);
}

QList<QWidget*> EntryDialog::channelAndStateControls() const
{
    QList<QWidget*> controls;
    if (cboKanal_)
        controls << cboKanal_;
    for (QCheckBox* box : chkKan_)
        controls << box;
    controls << (txtWert_ ? static_cast<QWidget*>(txtWert_) : cmdEinAus_);
    return controls;
}

void EntryDialog::finish(const Parts& parts)
{
    session_ = &parts.session;
    channels_ = &parts.channels;
    state_ = &parts.state;
    const TextTable& t = ctx_.texts;
    setWindowTitle(t(session_->title()));
    fraKanal_->setTitle(t(TextId::Channels));
    fraZustand_->setTitle(t(TextId::SwitchingState));
    const ProgramSlot& program = ctx_.model.program();
    for (int c = 0; c < chkKan_.size(); ++c) {
        const QString caption = t(static_cast<TextId>(static_cast<int>(TextId::Channel1) + c));
        // The channel's name as the header shows it; an ampersand in it is no Alt key.
        QString name = program.Kanalname[static_cast<std::size_t>(c)].trimmed();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        chkKan_[c]->setText(mnemonics_.mark(caption) + (name.isEmpty() ? QString() : QStringLiteral("  ·  ") + name));
    }
    fraAuto_->setTitle(t(TextId::EditAssistant));
    chkautopil_->setText(mnemonics_.mark(t(TextId::ActiveAfterEntry)));
    Cmd1xauto_->setText(mnemonics_.mark(t(TextId::Execute)));
    const QString settings = QString(t(TextId::MenuSettings)).remove(QLatin1Char('&'));
    cmdneuassi_->setText(mnemonics_.mark(settings + QStringLiteral("...")));
    panel_->setTitle(t(TextId::AlreadyEntered));
    cmdOk_->setText(mnemonics_.mark(t(TextId::Ok)));
    Cmdalleok_->setText(mnemonics_.mark(t(TextId::Ok) + QLatin1Char(' ') + t(TextId::All)));
    cmdEnd_->setText(mnemonics_.mark(t(TextId::Exit)));

    auto* upper = new QHBoxLayout;
    upper->setSpacing(12);
    for (QGroupBox* g : parts.upperRow)
        upper->addWidget(g);
    upper->addWidget(fraZustand_, 1);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(12);
    middle->addWidget(parts.lowerRow, 3);
    middle->addWidget(fraKanal_, 2);
    auto* lower = new QHBoxLayout;
    lower->setSpacing(12);
    lower->addWidget(fraAuto_, 2);
    lower->addWidget(panel_, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(imgok_);
    buttons->addWidget(lblHinweis_, 1);
    buttons->addWidget(cmdOk_);
    buttons->addWidget(Cmdalleok_);
    buttons->addWidget(cmdEnd_);
    // The fields scroll when the screen is too small for them (large fonts,
    // small screens); the status line and the buttons stay in view.
    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("fields"));
    auto* fields = new QVBoxLayout(body);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->setSpacing(12);
    fields->addLayout(upper);
    fields->addLayout(middle);
    fields->addLayout(lower);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(12);
    layout->addWidget(new ScrollingBody(body, this), 1);
    layout->addLayout(buttons);

    // Tab runs through the fields, then the assistant and the buttons.
    QWidget::setTabOrder(channelAndStateControls().last(), chkautopil_);
    QWidget::setTabOrder(chkautopil_, Cmd1xauto_);
    QWidget::setTabOrder(Cmd1xauto_, cmdneuassi_);
    QWidget::setTabOrder(cmdneuassi_, cmdOk_);
    QWidget::setTabOrder(cmdOk_, Cmdalleok_);
    QWidget::setTabOrder(Cmdalleok_, cmdEnd_);

    showAll();
    showPanel();
    focusFirst();
}

OpenResult EntryDialog::check() const
{
    return session_->check();
}

void EntryDialog::showAll()
{
    showFields();
    showChannels();
    showState();
    const QSignalBlocker block(chkautopil_);
    chkautopil_->setChecked(ctx_.assistant.AutoAktiv != 0);
}

void EntryDialog::showChannels()
{
    const ChannelChoice& choice = *channels_;
    if (cboKanal_) {
        cboKanal_->setCurrentIndex(choice.kanalIndex);
        return;
    }
    for (int c = 0; c < chkKan_.size(); ++c)
        chkKan_[c]->setChecked((choice.kanaele & (1 << c)) != 0);
}

void EntryDialog::showState()
{
    if (txtWert_) {
        const QSignalBlocker block(txtWert_);
        txtWert_->setValue(*state_);
        return;
    }
    const bool on = *state_ == 1;
    cmdEinAus_->setChecked(on);
    cmdEinAus_->setText(ctx_.texts(on ? TextId::On : TextId::Off));
}

bool EntryDialog::commitAll()
{
    if (txtWert_)
        *state_ = txtWert_->value();
    return commitFields();
}

void EntryDialog::pressOk()
{
    if (commitAll())
        handle(session_->ok());
}

void EntryDialog::pressOkForAll()
{
    if (!commitAll())
        return;
    session_->okForAll();
    emit okForAllRunning(true);
    Tmalleok_->start();
}

void EntryDialog::tick()
{
    Tmalleok_->stop();
    if (commitAll())
        handle(session_->timerTick());
}

void EntryDialog::handle(const EntryOutcome& outcome)
{
    const bool changed = outcome.result == EntryResult::Stored || outcome.result == EntryResult::Overwritten;
    if (changed) {
        showPanel();
        imgok_->show();
        Timer1_->start();
        emit stored();
    }
    showAll();
    if (outcome.message)
        ctx_.ui.ask(*outcome.message);
    if (outcome.restartTimer) {
        if (!outcome.finished) {
            Tmalleok_->start();
            return;
        }
    }
    emit okForAllRunning(false);
    if (outcome.finished) {
        accept();
        return;
    }
    if (changed)
        focusFirst();
}

void EntryDialog::assistantStep()
{
    if (!commitAll())
        return;
    session_->assistantStep();
    showAll();
}

void EntryDialog::openSettings()
{
    auto* settings = new FrmAutoEinst(ctx_.assistant, ctx_.texts, ctx_.model.eib(), this);
    settings->setAttribute(Qt::WA_DeleteOnClose);
    connect(settings, &QDialog::finished, this, &EntryDialog::showAll);
    settings->open();
}

void EntryDialog::browse(int direction)
{
    if (session_->browse(direction))
        showPanel();
}

void EntryDialog::showPanel()
{
    panel_->display(session_->panel(ctx_.texts));
}

void EntryDialog::focusFirst()
{
    QWidget* first = firstField();
    first->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(first))
        edit->selectAll();
}

void EntryDialog::done(int result)
{
    if (!closed_) {
        closed_ = true;
        Tmalleok_->stop();
        session_->close();
    }
    QDialog::done(result);
}

} // namespace zendrik
