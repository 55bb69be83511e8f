#include "ui/astro/FrmAstro.h"

#include "calendar/AstroScrollBars.h"
#include "calendar/AstroTexts.h"
#include "language/DateText.h"
#include "language/Prompt.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "paint/AstroCurvePainter.h"
#include "ui/common/KeyFilter.h"
#include "ui/common/ScreenFit.h"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zendrik {

namespace {

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setMinimumWidth(150);
    return l;
}

// A typed field beside an offset or limit bar: its characters only (others
// beep and show the field's hint), its range hint in the tooltip.
QLineEdit* typedField(QWidget* parent, const char* name, const QString& hint)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setToolTip(hint);
    e->setMaximumWidth(90);
    return e;
}

QDoubleSpinBox* numberField(QWidget* parent, const char* name, double low, double high, double step, int decimals)
{
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(QString::fromUtf8(name));
    s->setRange(low, high);
    s->setSingleStep(step);
    s->setDecimals(decimals);
    // The bars follow once the number is complete (Enter, Tab, the arrows).
    s->setKeyboardTracking(false);
    s->setMinimumWidth(90);
    return s;
}

// Two option buttons EIN / AUS in a titled group.
QGroupBox* stateGroup(QWidget* parent, const QString& title, const TextTable& texts, const char* onName,
                      const char* offName, QRadioButton*& on, QRadioButton*& off)
{
    auto* box = new QGroupBox(title, parent);
    auto* row = new QHBoxLayout(box);
    on = new QRadioButton(texts(TextId::On), box);
    on->setObjectName(QString::fromUtf8(onName));
    off = new QRadioButton(texts(TextId::Off), box);
    off->setObjectName(QString::fromUtf8(offName));
    row->addWidget(on);
    row->addWidget(off);
    row->addStretch(1);
    return box;
}

} // namespace

AstroCurveView::AstroCurveView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picAstroKurve"));
    setMinimumSize(320, 170);
}

void AstroCurveView::show(const AstroPreview& preview, int morning, int evening, const QString& title)
{
    preview_ = preview;
    morning_ = morning;
    evening_ = evening;
    title_ = title;
    update();
}

void AstroCurveView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    AstroCurve curve;
    curve.preview = &preview_;
    curve.morning = morning_;
    curve.evening = evening_;
    curve.title = title_;
    PaintAstroCurve(painter, QRectF(rect()), curve);
}

FrmAstro::FrmAstro(ProgramModel& model, const TextTable& texts, UserInteraction& ui, const QString& workDir,
                   int channel, QWidget* parent)
    : QDialog(parent), model_(model), texts_(texts), ui_(ui), workDir_(workDir), channel_(channel)
{
    setObjectName(QStringLiteral("frmastro"));
    setWindowTitle(texts(TextId::AstroTitle));
    askPlaceName = [this](const QString& question) -> std::optional<QString> {
        bool ok = false;
        const QString name = QInputDialog::getText(this, kAppTitel, question, QLineEdit::Normal, QString(), &ok);
        return ok ? std::optional(name) : std::nullopt;
    };

    auto* grid = new QGridLayout;
    int row = 0;
    const auto barRow = [&](TextId caption, QScrollBar* bar, QLabel* value, QWidget* field = nullptr) {
        grid->addWidget(new QLabel(texts(caption), this), row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(value, row, 2);
        if (field)
            grid->addWidget(field, row, 3);
        ++row;
    };

    vsbLaenge_ = addBar("vsb_Längengrad", kLaengeRange, 10);
    vsbBreite_ = addBar("vsb_Breitengrad", kBreiteRange, 10);
    vsbZone_ = addBar("vsb_zeitzone", kZoneRange, 4);
    vsbOffsetAuf_ = addBar("vsb_offset_aufgang", kOffsetRange, 10);
    vsbOffsetUnter_ = addBar("vsb_offset_untergang", kOffsetRange, 10);
    hsbMorning_ = addBar("hsb_limit_Sonnenaufgang", kLimitRange, 15);
    hsbEvening_ = addBar("hsb_limit_Sonnenuntergang", kLimitRange, 15);
    lblLaenge_ = valueLabel(this, "lbl_Längengrad");
    lblBreite_ = valueLabel(this, "lbl_Breitengrad");
    lblZone_ = valueLabel(this, "lbl_zeitzone");
    lblOffsetAuf_ = valueLabel(this, "lbl_offset_aufgang");
    lblOffsetUnter_ = valueLabel(this, "lbl_offset_untergang");
    lblMorning_ = valueLabel(this, "lbl_limit_Sonnenaufgang");
    lblEvening_ = valueLabel(this, "lbl_limit_Sonnenuntergang");
    txtLaenge_ = numberField(this, "txtLaengengrad", -180.0, 180.0, 0.5, 1);
    txtLaenge_->setToolTip(texts(kAstroTypeLongitude));
    txtBreite_ = numberField(this, "txtBreitengrad", -kMaxLatitudeDegrees, kMaxLatitudeDegrees, 0.5, 1);
    txtBreite_->setToolTip(texts(kAstroTypeLatitude));
    txtZone_ = numberField(this, "txtZeitzone", -12.0, 12.0, 0.25, 2);
    txtZone_->setToolTip(texts(kAstroTypeZone));

    barRow(TextId::Longitude, vsbLaenge_, lblLaenge_, txtLaenge_);
    barRow(TextId::Latitude, vsbBreite_, lblBreite_, txtBreite_);
    auto* note = new QLabel(texts(kAstroLatitudeNote), this);
    note->setObjectName(QStringLiteral("lblBreiteHinweis"));
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #555;"));
    grid->addWidget(note, row++, 1, 1, 3);
    barRow(TextId::TimeZone, vsbZone_, lblZone_, txtZone_);
    txtOffsetAuf_ = typedField(this, "txtOffsetAufgang", OffsetFieldHint(TextId::SunriseOffset, texts));
    txtOffsetUnter_ = typedField(this, "txtOffsetUntergang", OffsetFieldHint(TextId::SunsetOffset, texts));
    txtMorning_ = typedField(this, "txtLimitSonnenaufgang", LimitFieldHint(TextId::NoSwitchBefore, texts));
    txtEvening_ = typedField(this, "txtLimitSonnenuntergang", LimitFieldHint(TextId::NoSwitchAfter, texts));
    barRow(TextId::SunriseOffset, vsbOffsetAuf_, lblOffsetAuf_, txtOffsetAuf_);
    barRow(TextId::SunsetOffset, vsbOffsetUnter_, lblOffsetUnter_, txtOffsetUnter_);
    barRow(TextId::NoSwitchBefore, hsbMorning_, lblMorning_, txtMorning_);
    barRow(TextId::NoSwitchAfter, hsbEvening_, lblEvening_, txtEvening_);
    // What a refused field takes, in words, until its text is valid again.
    lblHinweis_ = new QLabel(this);
    lblHinweis_->setObjectName(QStringLiteral("lblHinweis"));
    lblHinweis_->setWordWrap(true);
    lblHinweis_->setStyleSheet(QStringLiteral("color: #d32f2f;"));
    grid->addWidget(lblHinweis_, row++, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    // The device switches OFF at sunrise and ON at sunset: shown, not chosen.
    auto* states = new QHBoxLayout;
    states->addWidget(stateGroup(this, texts(TextId::StateAtSunrise), texts, "optAufgangEin", "optAufgangAus",
                                 optAufEin_, optAufAus_));
    states->addWidget(stateGroup(this, texts(TextId::StateAtSunset), texts, "optUntergangEin", "optUntergangAus",
                                 optUnterEin_, optUnterAus_));
    for (QRadioButton* option : {optAufEin_, optAufAus_, optUnterEin_, optUnterAus_}) {
        option->setEnabled(false);
        option->setToolTip(texts(kAstroFixedStates));
    }

    // The places: pick from the list or type to search it.
    cboOrt_ = new QComboBox(this);
    cboOrt_->setObjectName(QStringLiteral("cboOrt"));
    cboOrt_->setEditable(true);
    cboOrt_->setInsertPolicy(QComboBox::NoInsert);
    cboOrt_->lineEdit()->setPlaceholderText(texts(kAstroSearchPlace));
    cboOrt_->setMinimumWidth(220);
    auto* completer = new QCompleter(cboOrt_->model(), cboOrt_);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    cboOrt_->setCompleter(completer);
    auto* cmdAdd = new QPushButton(texts(TextId::Add), this);
    cmdAdd->setObjectName(QStringLiteral("cmdOrtHinzufuegen"));
    auto* cmdDelete = new QPushButton(texts(TextId::Delete), this);
    cmdDelete->setObjectName(QStringLiteral("cmdOrtLoeschen"));
    auto* placeRow = new QHBoxLayout;
    placeRow->addWidget(new QLabel(texts(TextId::Place), this));
    placeRow->addWidget(cboOrt_, 1);
    placeRow->addWidget(cmdAdd);
    placeRow->addWidget(cmdDelete);

    auto* lblKanal = new QLabel(texts(kAstroChannelLabel).arg(u'C' + QString::number(channel_ + 1)), this);
    lblKanal->setObjectName(QStringLiteral("lblAstroKanal"));
    lblHeute_ = new QLabel(this);
    lblHeute_->setObjectName(QStringLiteral("lblHeute"));
    curve_ = new AstroCurveView(this);

    auto* ok = new QPushButton(texts(TextId::Ok), this);
    ok->setObjectName(QStringLiteral("cmd_astro_ok"));
    ok->setDefault(true);
    auto* exit = new QPushButton(texts(TextId::Exit), this);
    exit->setObjectName(QStringLiteral("cmd_astro_beenden"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblKanal);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(exit);

    // Everything above the buttons scrolls where a small screen has no
    // room for it; the buttons stay in reach.
    auto* body = new QWidget(this);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(placeRow);
    bodyLayout->addLayout(grid);
    bodyLayout->addLayout(states);
    bodyLayout->addWidget(lblHeute_);
    bodyLayout->addWidget(curve_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new ScrollingBody(body, this), 1);
    layout->addLayout(buttons);

    for (QScrollBar* bar : {vsbLaenge_, vsbBreite_, vsbZone_, vsbOffsetAuf_, vsbOffsetUnter_, hsbMorning_, hsbEvening_})
        connect(bar, &QScrollBar::valueChanged, this, &FrmAstro::barMoved);
    for (QDoubleSpinBox* field : {txtLaenge_, txtBreite_, txtZone_})
        connect(field, &QDoubleSpinBox::valueChanged, this, &FrmAstro::typed);
    const std::pair<QLineEdit*, KeyFilter::Rule> fields[] = {{txtOffsetAuf_, OffsetFieldTakes},
                                                             {txtOffsetUnter_, OffsetFieldTakes},
                                                             {txtMorning_, LimitFieldTakes},
                                                             {txtEvening_, LimitFieldTakes}};
    for (const auto& [field, takes] : fields) {
        auto* keys = new KeyFilter(takes, ui_, field);
        keys->setOnRefused([this, field = field] { showRefusal(field, true); });
        field->installEventFilter(keys);
        connect(field, &QLineEdit::editingFinished, this, [this, field = field] { commitField(field); });
    }
    connect(cboOrt_, &QComboBox::activated, this, &FrmAstro::placeChosen);
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this, [this](const QString& name) {
        placeChosen(cboOrt_->findText(name, Qt::MatchFixedString));
    });
    connect(cmdAdd, &QPushButton::clicked, this, &FrmAstro::addPlace);
    connect(cmdDelete, &QPushButton::clicked, this, &FrmAstro::deletePlace);
    connect(ok, &QPushButton::clicked, this, &FrmAstro::accept);
    connect(exit, &QPushButton::clicked, this, &FrmAstro::reject);

    // Restored from the stored astro settings and the channel's limits.
    bars_ = AstroBars::FromProgram(model_, channel_);
    fromBars();

    const QString file = placeFile();
    const PlaceFileResult read = places_.read(file);
    if (read == PlaceFileResult::Ok) {
        if (const QString notes = PlaceReadNotes(places_, file, texts_); !notes.isEmpty())
            message(notes);
    } else if (const QString text = PlaceFileMessage(read, file, QString(), texts_); !text.isEmpty()) {
        message(text);
    }
    fillPlaces();
    // The stored location's name, when it is a place of the list.
    cboOrt_->setCurrentIndex(PlaceOfBars(places_, bars_));
}

QScrollBar* FrmAstro::addBar(const char* name, const BarRange& range, int pageStep)
{
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(QString::fromUtf8(name));
    bar->setRange(range.low, range.high);
    bar->setSingleStep(1);
    bar->setPageStep(pageStep);
    bar->setMinimumWidth(240);
    return bar;
}

QString FrmAstro::placeFile() const
{
    return QDir(workDir_).filePath(texts_(TextId::PlaceFileName));
}

void FrmAstro::message(const QString& text)
{
    ui_.ask(Prompt::message(Icon::Critical, {text}));
}

// Sets every control from the bar values and shows what they give.
void FrmAstro::fromBars()
{
    updating_ = true;
    vsbLaenge_->setValue(bars_.laenge);
    vsbBreite_->setValue(bars_.breite);
    vsbZone_->setValue(bars_.zone);
    vsbOffsetAuf_->setValue(bars_.offsetAuf);
    vsbOffsetUnter_->setValue(bars_.offsetUnter);
    hsbMorning_->setValue(bars_.morning);
    hsbEvening_->setValue(bars_.evening);
    txtLaenge_->setValue(TypedLongitudeOfBar(bars_.laenge));
    txtBreite_->setValue(TypedLatitudeOfBar(bars_.breite));
    txtZone_->setValue(TypedZoneOfBar(bars_.zone));
    const std::pair<QLineEdit*, QString> typedTexts[] = {{txtOffsetAuf_, OffsetFieldText(bars_.offsetAuf)},
                                                         {txtOffsetUnter_, OffsetFieldText(bars_.offsetUnter)},
                                                         {txtMorning_, LimitFieldText(bars_.morning)},
                                                         {txtEvening_, LimitFieldText(bars_.evening)}};
    for (const auto& [field, text] : typedTexts) {
        if (field->text() != text && !(field->hasFocus() && field->isModified()))
            field->setText(text);
    }
    (bars_.riseState != 0 ? optAufEin_ : optAufAus_)->setChecked(true);
    (bars_.setState != 0 ? optUnterEin_ : optUnterAus_)->setChecked(true);
    updating_ = false;

    lblLaenge_->setText(LaengeText(bars_.laenge, texts_));
    lblBreite_->setText(BreiteText(bars_.breite, texts_));
    lblZone_->setText(ZoneText(bars_.zone, texts_));
    lblOffsetAuf_->setText(OffsetText(bars_.offsetAuf, texts_));
    lblOffsetUnter_->setText(OffsetText(bars_.offsetUnter, texts_));
    lblMorning_->setText(LimitText(bars_.morning, texts_));
    lblEvening_->setText(LimitText(bars_.evening, texts_));

    const AstroPreview preview = PreviewAstro(model_, bars_);
    const auto time = [this](const std::optional<int>& t) {
        return t ? LimitText(*t, texts_) : texts_(kAstroNoSwitching);
    };
    const auto state = [this](int s) { return texts_(s != 0 ? TextId::On : TextId::Off); };
    lblHeute_->setText(texts_(kAstroToday)
                           .arg(DateText(model_.clock().date(), texts_), time(preview.todayRise),
                                state(bars_.riseState), time(preview.todaySet), state(bars_.setState)));
    curve_->show(preview, bars_.morning, bars_.evening, texts_(kAstroCurveTitle));
}

void FrmAstro::barMoved()
{
    if (updating_)
        return;
    bars_.laenge = vsbLaenge_->value();
    bars_.breite = vsbBreite_->value();
    bars_.zone = vsbZone_->value();
    bars_.offsetAuf = vsbOffsetAuf_->value();
    bars_.offsetUnter = vsbOffsetUnter_->value();
    bars_.morning = hsbMorning_->value();
    bars_.evening = hsbEvening_->value();
    fromBars();
}

bool FrmAstro::commitField(QLineEdit* field)
{
    const bool offset = field == txtOffsetAuf_ || field == txtOffsetUnter_;
    const std::optional<int> value = offset ? OffsetBarOfText(field->text()) : LimitBarOfText(field->text());
    if (!value) {
        // The field keeps its text, its frame and the hint; the focus is not
        // pulled back here (two refused fields would pull it to and fro), OK
        // puts it there.
        ui_.beep();
        showRefusal(field, true);
        return false;
    }
    showRefusal(field, false);
    field->setModified(false);
    int& bar = field == txtOffsetAuf_ ? bars_.offsetAuf
        : field == txtOffsetUnter_    ? bars_.offsetUnter
        : field == txtMorning_        ? bars_.morning
                                      : bars_.evening;
    bar = *value;
    fromBars();
    return true;
}

bool FrmAstro::commitFields()
{
    for (QLineEdit* field : {txtOffsetAuf_, txtOffsetUnter_, txtMorning_, txtEvening_}) {
        if (!commitField(field)) {
            field->setFocus();
            field->selectAll();
            return false;
        }
    }
    return true;
}

void FrmAstro::showRefusal(QLineEdit* field, bool refused)
{
    field->setStyleSheet(refused ? QStringLiteral("QLineEdit { border: 2px solid #d32f2f; border-radius: 2px; padding: 1px; }")
                                 : QString());
    if (refused)
        lblHinweis_->setText(field->toolTip());
    else if (lblHinweis_->text() == field->toolTip())
        lblHinweis_->clear();
}

void FrmAstro::typed()
{
    if (updating_)
        return;
    bars_.laenge = BarOfTypedLongitude(txtLaenge_->value());
    bars_.breite = BarOfTypedLatitude(txtBreite_->value());
    bars_.zone = BarOfTypedZone(txtZone_->value());
    fromBars();
}

void FrmAstro::fillPlaces()
{
    cboOrt_->clear();
    for (const Place& p : places_.places())
        cboOrt_->addItem(p.name);
}

void FrmAstro::placeChosen(int index)
{
    if (index < 0 || index >= places_.count())
        return;
    const Place& p = places_.places()[static_cast<std::size_t>(index)];
    cboOrt_->setCurrentIndex(index);
    bars_.laenge = p.laengeBar();
    bars_.breite = p.breiteBar();
    bars_.zone = p.zoneBar();
    fromBars();
}

void FrmAstro::addPlace()
{
    const std::optional<QString> name = askPlaceName(texts_(TextId::PlaceName) + QStringLiteral(" ?"));
    if (!name || name->trimmed().isEmpty())
        return;
    QString error;
    const PlaceFileResult r =
        places_.addAndWrite(placeFile(), Place::fromBars(name->trimmed(), bars_.laenge, bars_.breite, bars_.zone), &error);
    if (r != PlaceFileResult::Ok) {
        ui_.beep();
        message(PlaceFileMessage(r, placeFile(), error, texts_));
        return;
    }
    fillPlaces();
    cboOrt_->setCurrentIndex(places_.count() - 1);
}

void FrmAstro::deletePlace()
{
    const int index = cboOrt_->findText(cboOrt_->currentText(), Qt::MatchFixedString);
    if (index < 0) {
        ui_.beep();
        return;
    }
    QString error;
    const PlaceFileResult r = places_.removeAndWrite(placeFile(), index, &error);
    if (r != PlaceFileResult::Ok) {
        message(PlaceFileMessage(r, placeFile(), error, texts_));
        return;
    }
    fillPlaces();
    cboOrt_->setCurrentIndex(-1);
}

void FrmAstro::accept()
{
    // A field typed in and left with Enter counts; a refused one stops OK.
    if (!commitFields())
        return;
    if (!StoreAstroProgram(model_, bars_.settings(), channel_)) {
        message(AstroChannelMessage(AstroChannelCheck::NotAnAstroChannel, texts_));
        return;
    }
    QDialog::accept();
}

} // namespace zendrik
