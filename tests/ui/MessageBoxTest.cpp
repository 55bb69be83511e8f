#include "tests/ui/DesktopFixture.h"
#include "ui/common/MessageBoxInteraction.h"

namespace zendrik::test {

using MessageBoxes = DesktopFixture;

TEST_F(MessageBoxes, TitleIconAndButtonsOfEachKind)
{
    MessageBoxInteraction boxes(german_);
    using B = QMessageBox;
    const std::tuple<Prompt, B::Icon, B::StandardButtons> cases[] = {
        {Prompt::question(Buttons::YesNoCancel, Icon::Question, {TextId::SaveChangesIn, u"SzTab1.zpg  ?"_s}), B::Question, B::Yes | B::No | B::Cancel},
        {Prompt::message(Icon::Critical, {TextId::NoFileChosen}), B::Critical, B::Ok},
        {Prompt::question(Buttons::YesNo, Icon::Question, {TextId::FileWord}), B::Question, B::Yes | B::No},
        {Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::NoDataContinue}), B::Question, B::Ok | B::Cancel},
        {Prompt::message(Icon::Exclamation, {TextId::Info}), B::Warning, B::Ok},
        {Prompt::message(Icon::None, {TextId::Info}), B::NoIcon, B::Ok},
    };
    for (const auto& [prompt, icon, buttons] : cases) {
        const auto box = boxes.box(prompt);
        EXPECT_EQ(std::tuple(box->windowTitle(), box->text(), box->icon(), box->standardButtons()),
                  std::tuple(u"Zendrik"_s, prompt.render(german_), icon, buttons));
    }
    const auto question = boxes.box(std::get<0>(cases[0]));
    EXPECT_EQ(question->text(), u"Änderungen speichern in SzTab1.zpg  ?"_s);
    EXPECT_EQ(question->escapeButton(), question->button(B::Cancel));
    // The buttons stand for the answers; a box closed without a button is a Cancel.
    const std::pair<int, Answer> answers[] = {{B::Yes, Answer::Yes}, {B::No, Answer::No}, {B::Ok, Answer::Ok},
                                              {B::Cancel, Answer::Cancel}, {B::NoButton, Answer::Cancel}};
    for (const auto& [button, answer] : answers) EXPECT_EQ(MessageBoxInteraction::answerOf(button), answer) << button;
    // The buttons speak the chosen language where Qt's own translations are installed.
    ASSERT_TRUE(startApp());
    const auto box = MessageBoxInteraction(app_->texts()).box(Prompt::question(Buttons::YesNo, Icon::Question, {TextId::FileWord}));
    if (QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_de.qm"_s)) {
        EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove(u'&') + box->button(QMessageBox::No)->text().remove(u'&'), u"JaNein"_s);
    }
}

// A capital umlaut at the start of a message keeps its dots in the box: its
// ink reaches higher than that of the word without the dots.
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
                if (qGray(picture.pixel(x, y)) < 200) return y - area.top();
        return -1;
    };
    for (const QString& word : {u"Übertragung erfolgreich beendet"_s, u"Änderungen speichern ?"_s}) {
        const int dots = firstInk(word);
        EXPECT_GT(dots, 0) << word.toStdString() << " is cut at the top";
        EXPECT_LT(dots, firstInk(QChar(word.front() == u'Ü' ? u'U' : u'A') + word.mid(1))) << word.toStdString();
    }
}

} // namespace zendrik::test
