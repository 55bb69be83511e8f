// Help behind F1: the page of the window in front, in the chosen language.
#include "tests/ui/DesktopFixture.h"

#include "ui/help/HelpWindow.h"
#include "ui/main/FrmInfo.h"

#include "language/HelpPages.h"

#include <QImage>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

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

TEST(HelpWindowImages, EveryScreenshotOfAPageLoadsInTheHelpWindow)
{
    // The pictures as the help window's browser fetches them for the page shown.
    const QString root = QStringLiteral(ZENDRIK_SHIPPED_DATA "/help");
    HelpWindow window(root);
    int shown = 0;
    for (int sprache : {1, 2, 3, 4}) {
        for (const QString& page : HelpPages()) {
            window.showPage(page, sprache);
            ASSERT_EQ(window.currentPage(), page);
            for (QTextBlock b = window.browser()->document()->begin(); b.isValid(); b = b.next()) {
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    const QTextCharFormat format = it.fragment().charFormat();
                    if (!format.isImageFormat())
                        continue;
                    const QString name = format.toImageFormat().name();
                    const QVariant data = window.browser()->loadResource(QTextDocument::ImageResource, QUrl(name));
                    const QImage image = data.userType() == QMetaType::QImage ? data.value<QImage>()
                                                                              : QImage::fromData(data.toByteArray());
                    EXPECT_FALSE(image.isNull()) << page.toStdString() << " (" << sprache << ") shows " << name.toStdString();
                    // The file of the page's own language, as rendered, whatever size the page gives it.
                    const QString file = root + QStringLiteral("/img/") + HelpLanguage(sprache) + QLatin1Char('/')
                        + QFileInfo(name).fileName();
                    EXPECT_TRUE(name.contains(QStringLiteral("/img/") + HelpLanguage(sprache) + QLatin1Char('/')))
                        << name.toStdString();
                    EXPECT_EQ(image.size(), QImage(file).size()) << name.toStdString();
                    ++shown;
                }
            }
        }
    }
    // Each shipped picture once in every language (the fourth reads the English pages).
    const qsizetype shipped = QDir(root + QStringLiteral("/img/en")).entryList(QDir::Files).size();
    EXPECT_GT(shipped, 0);
    EXPECT_EQ(shown, 4 * shipped);
    window.showPage(u"filter"_s, 2);
    EXPECT_TRUE(window.browser()->toHtml().contains(u"filter.png"_s));
}
