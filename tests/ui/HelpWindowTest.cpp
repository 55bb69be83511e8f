// Help behind F1: the page of the window in front, in the chosen language.
#include "tests/ui/DesktopFixture.h"

#include "language/HelpPages.h"
#include "ui/help/HelpWindow.h"
#include "ui/main/FrmInfo.h"

namespace zendrik::test {

namespace {

class HelpWindowTest : public DesktopFixture {
protected:
    std::pair<QString, QString> page() const
    {
        HelpWindow* w = app_->help().window();
        return w && w->isVisible() ? std::pair(w->currentPage(), w->windowTitle()) : std::pair(QString(), QString());
    }
};

} // namespace

TEST_F(HelpWindowTest, F1OpensThePageOfTheWindowInFrontInItsLanguage)
{
    ASSERT_TRUE(startApp());
    QTest::keyClick(startScreen(), Qt::Key_F1);
    EXPECT_EQ(page(), std::pair(u"start-screen"_s, u"Startbild"_s));
    app_->help().window()->close();
    settle();
    startWith(4, 2);
    // The help menu's command names the program and opens the page in the language chosen.
    QAction* helpFor = action("mnuHilfeZu");
    EXPECT_EQ(helpFor->text(), u"&Help for Zendrik"_s);
    EXPECT_EQ(helpFor->shortcut(), QKeySequence(Qt::Key_F1));
    frame()->activateWindow();
    helpFor->trigger();
    HelpWindow* help = app_->help().window();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->browser()->source().toLocalFile().contains(u"/en/"_s));
    // F1 in a dialog opens that dialog's page; a link leads on, as a click resolves it.
    FrmInfo info(model(), app_->texts(), frame());
    info.show();
    QTest::keyClick(&info, Qt::Key_F1);
    EXPECT_EQ(page(), std::pair(u"info"_s, u"Info"_s));
    help->browser()->setSource(help->browser()->source().resolved(QUrl(u"index.html"_s)));
    EXPECT_EQ(page(), std::pair(u"index"_s, u"Zendrik help"_s));
}

// Every picture of every page loads as the help window's browser fetches it
// (that each is the file of the page's language is the help pages' test).
TEST(HelpWindowImages, EveryScreenshotOfAPageLoadsInTheHelpWindow)
{
    HelpWindow window(QStringLiteral(ZENDRIK_SHIPPED_DATA "/help"));
    int shown = 0;
    for (int sprache : {1, 2, 3}) {
        for (const QString& page : HelpPages()) {
            window.showPage(page, sprache);
            ASSERT_EQ(window.currentPage(), page);
            for (QTextBlock b = window.browser()->document()->begin(); b.isValid(); b = b.next()) {
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    if (!it.fragment().charFormat().isImageFormat()) continue;
                    const QString name = it.fragment().charFormat().toImageFormat().name();
                    const QVariant data = window.browser()->loadResource(QTextDocument::ImageResource, QUrl(name));
                    const QImage image = data.userType() == QMetaType::QImage ? data.value<QImage>() : QImage::fromData(data.toByteArray());
                    EXPECT_FALSE(image.isNull()) << page.toStdString() << " (" << sprache << ") shows " << name.toStdString();
                    ++shown;
                }
            }
        }
    }
    EXPECT_GT(shown, 3 * 10);
}

} // namespace zendrik::test
