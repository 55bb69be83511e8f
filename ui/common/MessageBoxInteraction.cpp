#include "ui/common/MessageBoxInteraction.h"

#include "language/TextTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>

#include <algorithm>

namespace zendrik {

namespace {

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

Answer MessageBoxInteraction::answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::unique_ptr<QMessageBox> MessageBoxInteraction::box(const Prompt& prompt) const
{
    auto b = std::make_unique<QMessageBox>(boxIcon(prompt.icon), kAppTitel, prompt.render(texts_),
                                           boxButtons(prompt.buttons), QApplication::activeWindow());
    // The box makes its text exactly one line high, and the dots of a capital
    // umlaut ("Übertragung") stand above the font's ascent: without room
    // above the line they are cut off and the word reads "Ubertragung".
    if (auto* label = b->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const int room = std::max(2, label->fontMetrics().height() / 4);
        label->setContentsMargins(0, room, 0, room);
    }
    if (prompt.buttons == Buttons::YesNoCancel)
        b->setDefaultButton(QMessageBox::Yes);
    b->setEscapeButton(prompt.buttons == Buttons::YesNo    ? QMessageBox::No
                           : prompt.buttons == Buttons::Ok ? QMessageBox::Ok
                                                           : QMessageBox::Cancel);
    if (prompt.yesCaption && b->button(QMessageBox::Yes))
        b->button(QMessageBox::Yes)->setText(texts_(*prompt.yesCaption));
    if (prompt.noCaption && b->button(QMessageBox::No))
        b->button(QMessageBox::No)->setText(texts_(*prompt.noCaption));
    return b;
}

Answer MessageBoxInteraction::ask(const Prompt& prompt)
{
    return answerOf(box(prompt)->exec());
}

void MessageBoxInteraction::beep()
{
    QApplication::beep();
}

} // namespace zendrik
