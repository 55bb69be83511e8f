#include "ui/entry/EntryBox.h"

#include "editing/EntryFields.h"
#include "model/UserInteraction.h"
#include "ui/common/KeyFilter.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace {

// Rows the list shows at a time.
constexpr int kVisibleRows = 6;

} // namespace

EntryBox::EntryBox(const QString& boxName, const QString& listName, const QStringList& items, Parser parse,
                   UserInteraction& ui, QWidget* parent)
    : QWidget(parent), items_(items), parse_(std::move(parse)), ui_(ui)
{
    label_ = new QLabel(this);
    box_ = new QLineEdit(this);
    box_->setObjectName(boxName);
    keys_ = new KeyFilter(AcceptsEntryKey, ui_, box_);
    keys_->setOnRefused([this] {
        checking_ = true;
        showRefusal(true);
    });
    box_->installEventFilter(keys_);
    box_->installEventFilter(this);
    label_->setBuddy(box_);

    list_ = new QListWidget(this);
    list_->setObjectName(listName);
    list_->addItems(items_);
    // The keyboard reaches the list through its box (cursor keys), so Tab
    // goes from box to box.
    list_->setFocusPolicy(Qt::ClickFocus);
    list_->setUniformItemSizes(true);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowHeight = std::max(list_->sizeHintForRow(0), fontMetrics().height() + 4);
    list_->setFixedHeight(rowHeight * kVisibleRows + 2 * list_->frameWidth());
    const int width = list_->sizeHintForColumn(0) + list_->verticalScrollBar()->sizeHint().width()
        + 2 * list_->frameWidth() + 8;
    list_->setFixedWidth(std::max(width, fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 40));
    box_->setFixedWidth(list_->width());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(label_);
    layout->addWidget(box_);
    layout->addWidget(list_);
    layout->addStretch(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    // After a refusal the frame follows the text as it is typed: it goes
    // as soon as the text is valid and comes back while it is not.
    connect(box_, &QLineEdit::textEdited, this, [this] {
        if (checking_)
            showRefusal(!typedRow());
    });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showing_ && row >= 0)
            choose(row);
    });
}

EntryBox::Parser EntryBox::numberRows(int first, int last)
{
    return [first, last](const QString& text) -> std::optional<int> {
        const std::optional<int> value = ParseNumberField(text, first, last);
        return value ? std::optional<int>(*value - first) : std::nullopt;
    };
}

EntryBox::Parser EntryBox::monthRows(const TextTable& texts)
{
    return [texts = &texts](const QString& text) -> std::optional<int> {
        const std::optional<int> month = ParseMonthField(text, *texts);
        return month ? std::optional<int>(*month - 1) : std::nullopt;
    };
}

void EntryBox::setCaption(const QString& caption)
{
    label_->setText(caption);
}

void EntryBox::acceptMonthNames()
{
    keys_->setRule(AcceptsMonthKey);
}

void EntryBox::showRow(int row)
{
    checking_ = false;
    showRefusal(false);
    showing_ = true;
    if (row < 0 || row >= items_.size()) {
        shownRow_ = -1;
        box_->clear();
        list_->setCurrentRow(-1);
        list_->clearSelection();
    } else {
        shownRow_ = row;
        box_->setText(items_[row].trimmed());
        list_->setCurrentRow(row);
        list_->scrollToItem(list_->item(row), QAbstractItemView::PositionAtCenter);
    }
    showing_ = false;
}

std::optional<int> EntryBox::typedRow() const
{
    const QString text = box_->text();
    if (text.trimmed().isEmpty())
        return emptyRow_;
    const std::optional<int> row = parse_(text);
    if (!row || *row < 0 || *row >= items_.size())
        return std::nullopt;
    return row;
}

void EntryBox::choose(int row)
{
    showRow(row);
    emit chosen(shownRow_);
}

void EntryBox::showRefusal(bool on)
{
    if (!on && !refusing_)
        return;
    if (on != refusing_) {
        refusing_ = on;
        box_->setStyleSheet(on ? QStringLiteral("QLineEdit { border: 2px solid #d32f2f; border-radius: 2px;"
                                                " padding: 1px; }")
                               : QString());
    }
    emit hintChanged(on ? hint_ : QString());
}

void EntryBox::refuse()
{
    ui_.beep();
    checking_ = true;
    showRefusal(true);
    QTimer::singleShot(0, box_, [box = box_] {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    });
}

bool EntryBox::commit()
{
    const std::optional<int> row = typedRow();
    if (!row) {
        refuse();
        return false;
    }
    if (*row != shownRow_)
        choose(*row);
    else
        showRow(*row);
    return true;
}

void EntryBox::step(int direction)
{
    const std::optional<int> typed = typedRow();
    const int from = typed && *typed >= 0 ? *typed : shownRow_;
    const int row = from < 0 ? 0 : std::clamp(from + direction, 0, static_cast<int>(items_.size()) - 1);
    choose(row);
    box_->selectAll();
}

bool EntryBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != box_)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            step(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Only a move inside the window checks the box: a message box or
        // the closing window takes the focus without leaving the field.
        const QWidget* next = QApplication::focusWidget();
        if (next && next->window() == window() && window()->isVisible())
            commit();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zendrik
