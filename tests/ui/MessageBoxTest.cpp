#include "tests/ui/DesktopFixture.h"
#include "ui/common/MessageBoxInteraction.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>

using namespace zendrik;
using namespace zendrik::test;

namespace {

class MessageBoxes : public DesktopFixture {};

} // namespace

TEST_F(MessageBoxes, QuestionWithTitleIconAndButtons)
{
    MessageBoxInteraction boxes(german_);
    const auto box = boxes.box(Prompt::question(Buttons::YesNoCancel, Icon::Question,
                                                {TextId::SaveChangesIn, QStringLiteral("SzTab1.zpg  ?")}));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Zendrik"));
    EXPECT_EQ(box->text(), QStringLiteral("Änderungen speichern in SzTab1.zpg  ?"));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::Cancel));
}

TEST_F(MessageBoxes, MessagesOfEachKind)
{
    MessageBoxInteraction boxes(german_);
    struct Case {
        Prompt prompt;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    const Case cases[] = {
        {Prompt::message(Icon::Critical, {TextId::NoFileChosen}), QMessageBox::Critical, QMessageBox::Ok},
        {Prompt::question(Buttons::YesNo, Icon::Question, {TextId::FileWord}), QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No},
        {Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::NoDataContinue}), QMessageBox::Question,
         QMessageBox::Ok | QMessageBox::Cancel},
        {Prompt::message(Icon::Exclamation, {TextId::Info}), QMessageBox::Warning, QMessageBox::Ok},
        {Prompt::message(Icon::None, {TextId::Info}), QMessageBox::NoIcon, QMessageBox::Ok},
    };
    for (const Case& c : cases) {
        const auto box = boxes.box(c.prompt);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Zendrik"));
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->standardButtons(), c.buttons);
    }
}

TEST_F(MessageBoxes, ButtonsStandForAnswers)
{
    EXPECT_EQ(MessageBoxInteraction::answerOf(QMessageBox::Yes), Answer::Yes);
    EXPECT_EQ(MessageBoxInteraction::answerOf(QMessageBox::No), Answer::No);
    EXPECT_EQ(MessageBoxInteraction::answerOf(QMessageBox::Ok), Answer::Ok);
    EXPECT_EQ(MessageBoxInteraction::answerOf(QMessageBox::Cancel), Answer::Cancel);
    // A box closed without a button is a Cancel.
    EXPECT_EQ(MessageBoxInteraction::answerOf(QMessageBox::NoButton), Answer::Cancel);
}

TEST_F(MessageBoxes, ButtonsSpeakTheChosenLanguage)
{
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(translations + QStringLiteral("/qtbase_de.qm")))
        GTEST_SKIP() << "Qt's own translations are not installed";
    ASSERT_TRUE(startApp());
    MessageBoxInteraction boxes(app_->texts());
    const auto box = boxes.box(Prompt::question(Buttons::YesNo, Icon::Question, {TextId::FileWord}));
    EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Ja"));
    EXPECT_EQ(box->button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Nein"));
}
