// Help behind F1: the page of the window in front, in the chosen language.
#include "tests/ui/DesktopFixture.h"

#include "ui/help/HelpWindow.h"
#include "ui/main/FrmInfo.h"

#include <QAction>
#include <QTest>
#include <QTextBrowser>

using namespace zendrik;
using namespace Qt::StringLiterals;

namespace {

class HelpWindowTest : public test::DesktopFixture {
protected:
    HelpWindow* help() const { return app_->help().window(); }
};

} // namespace

TEST_F(HelpWindowTest, F1OpensThePageOfTheWindowInFrontInItsLanguage)
{
    ASSERT_TRUE(startApp());
    // F1 on the start screen.
    QTest::keyClick(startScreen(), Qt::Key_F1);
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->isVisible());
    EXPECT_EQ(help()->currentPage(), u"start-screen"_s);
    EXPECT_EQ(help()->windowTitle(), u"Startbild"_s);
    help()->close();
    settle();

    startWith(4, 2);
    // The help menu's command names the program and opens the contents or the main window's page.
    QAction* helpFor = action("mnuHilfeZu");
    ASSERT_NE(helpFor, nullptr);
    EXPECT_EQ(helpFor->text(), u"&Help for Zendrik"_s);
    EXPECT_EQ(helpFor->shortcut(), QKeySequence(Qt::Key_F1));
    frame()->activateWindow();
    helpFor->trigger();
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->browser()->source().toLocalFile().contains(u"/en/"_s)) << "English chosen on the start screen";

    // F1 in a dialog opens that dialog's page; a link leads on.
    FrmInfo info(model(), app_->texts(), frame());
    info.show();
    QTest::keyClick(&info, Qt::Key_F1);
    EXPECT_EQ(help()->currentPage(), u"info"_s);
    EXPECT_EQ(help()->windowTitle(), u"Info"_s);
    // A link of the page, as a click on it resolves it.
    help()->browser()->setSource(help()->browser()->source().resolved(QUrl(u"index.html"_s)));
    EXPECT_EQ(help()->currentPage(), u"index"_s);
    EXPECT_EQ(help()->windowTitle(), u"Zendrik help"_s);
}
