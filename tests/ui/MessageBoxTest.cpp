#include "tests/ui/DesktopFixture.h"
#include "ui/common/MessageBoxInteraction.h"

#include <QLibraryInfo>
#include <QMessageBox>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class MessageBoxes : public DesktopFixture { };

} // namespace

TEST_F(MessageBoxes, TitleIconAndButtonsOfEachKind)
{
    MessageBoxInteraction boxes(german_);
    const struct {
        Prompt prompt;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    } cases[] = {
        {Prompt::question(Buttons::YesNoCancel, Icon::Question, {TextId::SaveChangesIn, u"SzTab1.zpg  ?"_s}),
         QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel},
        {Prompt::message(Icon::Critical, {TextId::NoFileChosen}), QMessageBox::Critical, QMessageBox::Ok},
        {Prompt::question(Buttons::YesNo, Icon::Question, {TextId::FileWord}), QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No},
        {Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::NoDataContinue}), QMessageBox::Question,
         QMessageBox::Ok | QMessageBox::Cancel},
        {Prompt::message(Icon::Exclamation, {TextId::Info}), QMessageBox::Warning, QMessageBox::Ok},
        {Prompt::message(Icon::None, {TextId::Info}), QMessageBox::NoIcon, QMessageBox::Ok},
    };
    for (const auto& c : cases) {
        const auto box = boxes.box(c.prompt);
        EXPECT_EQ(box->windowTitle(), u"Zendrik"_s);
        EXPECT_EQ(box->text(), c.prompt.render(german_));
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->standardButtons(), c.buttons);
    }
    const auto question = boxes.box(cases[0].prompt);
    EXPECT_EQ(question->text(), u"Änderungen speichern in SzTab1.zpg  ?"_s);
    EXPECT_EQ(question->escapeButton(), question->button(QMessageBox::Cancel));

    // The buttons stand for the answers; a box closed without a button is a Cancel.
    const std::pair<int, Answer> answers[] = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}, {QMessageBox::NoButton, Answer::Cancel}};
    for (const auto& [button, answer] : answers)
        EXPECT_EQ(MessageBoxInteraction::answerOf(button), answer) << button;
}

TEST_F(MessageBoxes, ButtonsSpeakTheChosenLanguage)
{
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_de.qm"_s))
        GTEST_SKIP() << "Qt's own translations are not installed";
    ASSERT_TRUE(startApp());
    MessageBoxInteraction boxes(app_->texts());
    const auto box = boxes.box(Prompt::question(Buttons::YesNo, Icon::Question, {TextId::FileWord}));
    EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove(u'&'), u"Ja"_s);
    EXPECT_EQ(box->button(QMessageBox::No)->text().remove(u'&'), u"Nein"_s);
}

// A capital umlaut at the start of a message keeps its dots in the box:
// its text is not cut at the top ("Übertragung" read "Ubertragung"), and
// its ink reaches higher than that of the word without the dots.
TEST_F(MessageBoxes, CapitalUmlautsKeepTheirDots)
{
    MessageBoxInteraction boxes(german_);
    // The first row of the label with ink on it, counted from the label's top.
    const auto firstInk = [&](const QString& text) {
        const auto box = boxes.box(Prompt::message(Icon::Information, {text}));
        box->show();
        QApplication::processEvents();
        const QImage picture = box->grab().toImage();
        const auto* label = box->findChild<QLabel*>(u"qt_msgbox_label"_s);
        const QRect area(label->mapTo(box.get(), QPoint(0, 0)), label->size());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(picture.pixel(x, y)) < 200)
                    return y - area.top();
        return -1;
    };
    for (const auto& [umlaut, plain] : {std::pair{u"Übertragung erfolgreich beendet"_s, u"Ubertragung erfolgreich beendet"_s},
                                        std::pair{u"Änderungen speichern ?"_s, u"Anderungen speichern ?"_s}}) {
        const int dots = firstInk(umlaut);
        EXPECT_GT(dots, 0) << umlaut.toStdString() << " is cut at the top";
        EXPECT_LT(dots, firstInk(plain)) << umlaut.toStdString();
    }
}
