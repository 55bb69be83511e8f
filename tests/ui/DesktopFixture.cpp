#include "tests/ui/DesktopFixture.h"

#include "model/DeviceTypes.h"
#include "ui/main/FrmStartbild.h"
#include "ui/frame/MainMenu.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTableView>
#include <QTest>

namespace zendrik::test {

void DesktopFixture::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QFile::copy(shipped(QStringLiteral("zendrik.sys")), work(QStringLiteral("zendrik.sys"))));
    german_.LoadGerman();
}

void DesktopFixture::TearDown()
{
    app_.reset();
    QApplication::processEvents();
}

bool DesktopFixture::startApp()
{
    app_ = std::make_unique<DesktopApp>(workDir(), &interaction_, &chooser_);
    if (!screenArea_.isEmpty())
        app_->setScreenArea([area = screenArea_](const QWidget*) { return area; });
    return app_->start();
}

void DesktopFixture::startWith(int row, int sprache)
{
    ASSERT_TRUE(startApp());
    FrmStartbild* start = app_->startScreen();
    ASSERT_NE(start, nullptr);
    const char* languages[] = {"", "AniDeutsch", "AniEnglisch", "AniFrance"};
    if (sprache != model().device.Sprache)
        child<QAbstractButton>(start, languages[sprache])->click();
    auto* combo = child<QComboBox>(start, "cboUhrentyp");
    combo->setCurrentIndex(combo->findData(row));
    ASSERT_GE(combo->currentIndex(), 0);
    QTest::mouseClick(child<QAbstractButton>(start, "cmd_ok"), Qt::LeftButton);
    ASSERT_NE(frame(), nullptr);
}

QString DesktopFixture::copySample(const QString& name)
{
    const QString target = work(name);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(shipped(QStringLiteral("samples/") + name), target));
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QString DesktopFixture::openSample(const QString& name, const char* command)
{
    chooser_.open = copySample(name);
    trigger(command);
    return chooser_.open;
}

std::vector<QString> DesktopFixture::messages() const
{
    std::vector<QString> out;
    for (const Prompt& p : asked())
        out.push_back(p.render(app_ ? app_->texts() : german_));
    return out;
}

QWidget* DesktopFixture::startScreen() const
{
    return app_ ? app_->startScreen() : nullptr;
}

QAction* DesktopFixture::action(const char* objectName) const
{
    return frame()->menu().action(QString::fromUtf8(objectName));
}

void DesktopFixture::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void DesktopFixture::trigger(const char* objectName)
{
    settle();
    ASSERT_NE(frame(), nullptr) << objectName;
    QAction* a = action(objectName);
    ASSERT_NE(a, nullptr) << objectName;
    ASSERT_TRUE(a->isEnabled()) << objectName;
    a->trigger();
}

QStringList DesktopFixture::gridText() const
{
    const QAbstractItemModel* m = grid()->model();
    QStringList lines;
    QStringList headings;
    for (int c = 0; c < m->columnCount(); ++c)
        headings << m->headerData(c, Qt::Horizontal).toString();
    lines << headings.join(QLatin1Char('\t'));
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        bool empty = true;
        for (int c = 0; c < m->columnCount(); ++c) {
            cells << m->index(r, c).data().toString();
            empty = empty && cells.last().isEmpty();
        }
        if (empty)
            break;
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines;
}

} // namespace zendrik::test
