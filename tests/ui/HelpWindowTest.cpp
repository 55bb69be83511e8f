// Help behind F1: the page of the window in front, in the chosen language.
#include "tests/ui/DesktopFixture.h"

#include "ui/help/HelpWindow.h"
#include "ui/main/FrmInfo.h"

namespace zendrik::test {

namespace {

class HelpWindowTest : public DesktopFixture {
protected:
    // The page shown and its title; every picture on it must load as the browser fetches it (counted in `pictures`).
    std::pair<QString, QString> page()
    {
        HelpWindow* w = app_->help().window();
        pictures = 0;
        if (!w || !w->isVisible()) return {};
        for (QTextBlock b = w->browser()->document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                if (!it.fragment().charFormat().isImageFormat()) continue;
                const QString name = it.fragment().charFormat().toImageFormat().name();
                const QVariant data = w->browser()->loadResource(QTextDocument::ImageResource, QUrl(name));
                const QImage image = data.userType() == QMetaType::QImage ? data.value<QImage>() : QImage::fromData(data.toByteArray());
                EXPECT_FALSE(image.isNull()) << w->currentPage().toStdString() << " shows " << name.toStdString();
                ++pictures;
            }
        }
        return {w->currentPage(), w->windowTitle()};
    }
    int pictures = 0;
};

} // namespace

TEST_F(HelpWindowTest, F1OpensThePageOfTheWindowInFrontInItsLanguage)
{
    ASSERT_TRUE(startApp());
    QTest::keyClick(startScreen(), Qt::Key_F1);
    EXPECT_EQ(page(), std::pair(u"start-screen"_s, u"Startbild"_s));
    EXPECT_GT(pictures, 0);
    app_->help().window()->close();
    settle();
    startWith(4, 2);
    // The help menu's command names the program and opens the page in the language chosen.
    QAction* helpFor = action("mnuHilfeZu");
    EXPECT_EQ(std::pair(helpFor->text(), helpFor->shortcut()), std::pair(u"&Help for Zendrik"_s, QKeySequence(Qt::Key_F1)));
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
    help->browser()->setSource(help->browser()->source().resolved(QUrl(u"filter.html"_s)));
    EXPECT_EQ(page().first, u"filter"_s);
    EXPECT_GT(pictures, 0);
    help->browser()->setSource(help->browser()->source().resolved(QUrl(u"index.html"_s)));
    EXPECT_EQ(page(), std::pair(u"index"_s, u"Zendrik help"_s));
}

} // namespace zendrik::test
