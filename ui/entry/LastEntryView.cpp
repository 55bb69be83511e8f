#include "ui/entry/LastEntryView.h"

#include "editing/LastEntryPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace zendrik {

namespace {

QToolButton* browseButton(const char* name, Qt::ArrowType arrow, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setArrowType(arrow);
    b->setAutoRaise(true);
    // The browse images are for the mouse; the keyboard enters entries.
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void showText(QLabel* label, const QString& text)
{
    label->setText(text.trimmed());
    label->setVisible(!text.trimmed().isEmpty());
}

} // namespace

LastEntryView::LastEntryView(const QString& title, QWidget* parent) : QGroupBox(title, parent)
{
    lblOldTage_ = label("lblOldTage");
    lblOldZeit_ = label("lblOldZeit");
    lblOldKanal_ = label("lblOldKanal");
    lblOldImpuls_ = label("lblOldImpuls");
    lblOld1x_ = label("lblOld1x");
    lblOldPrio_ = label("lblOldPrio");
    lblOldZustand_ = label("lblOldZustand");
    QFont bold = lblOldZustand_->font();
    bold.setBold(true);
    lblOldZustand_->setFont(bold);

    imgoldSzup_ = browseButton("imgoldSzup", Qt::UpArrow, this);
    imgoldSzdown_ = browseButton("imgoldSzdown", Qt::DownArrow, this);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(imgoldSzup_);
    arrows->addWidget(imgoldSzdown_);

    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(18);
    for (QLabel* l : {lblOldTage_, lblOldZeit_, lblOldKanal_, lblOldImpuls_, lblOld1x_, lblOldPrio_, lblOldZustand_})
        layout->addWidget(l);
    layout->addStretch(1);
    layout->addLayout(arrows);

    connect(imgoldSzup_, &QToolButton::clicked, this, [this] { emit browse(-1); });
    connect(imgoldSzdown_, &QToolButton::clicked, this, [this] { emit browse(1); });
    display(LastEntryPanel{});
}

QLabel* LastEntryView::label(const char* name)
{
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

void LastEntryView::display(const LastEntryPanel& panel)
{
    showText(lblOldTage_, panel.days);
    showText(lblOldZeit_, panel.time);
    showText(lblOldKanal_, panel.channels);
    showText(lblOldImpuls_, panel.pulse);
    showText(lblOld1x_, panel.once);
    showText(lblOldPrio_, panel.priority);
    showText(lblOldZustand_, panel.state);
}

} // namespace zendrik
