#include "tests/ui/DesktopFixture.h"

#include "model/DeviceTypes.h"
#include "ui/list/FrmHauptmenue.h"
#include "ui/main/FrmStartbild.h"
#include "ui/main/MainMenu.h"
#include "ui/main/MdiForm1.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace zendrik::test {

void DesktopFixture::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QFile::copy(shipped(QStringLiteral("zendrik.sys")), work(QStringLiteral("zendrik.sys"))));
    interaction_ = ScriptedInteraction([this](const Prompt& p) {
        if (const auto it = answers_.find(p.key()); it != answers_.end())
            return it->second;
        return p.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    });
    german_.LoadGerman();
}

void DesktopFixture::TearDown()
{
    app_.reset();
    QApplication::processEvents();
}

bool DesktopFixture::startApp()
{
    app_ = std::make_unique<DesktopApp>(dir_.path(), &interaction_, &chooser_);
    return app_->start();
}

void DesktopFixture::startWith(int row, int sprache)
{
    ASSERT_TRUE(startApp());
    FrmStartbild* start = app_->startScreen();
    ASSERT_NE(start, nullptr);
    if (sprache != app_->model().device.Sprache) {
        const char* names[] = {"", "AniDeutsch", "AniEnglisch", "AniFrance"};
        auto* button = start->findChild<QAbstractButton*>(QString::fromLatin1(names[sprache]));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    auto* combo = start->findChild<QComboBox*>(QStringLiteral("cboUhrentyp"));
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(DeviceTypeName(row, app_->model().device.BrandIndex));
    ASSERT_GE(index, 0);
    combo->setCurrentIndex(index);
    QTest::mouseClick(start->findChild<QPushButton*>(QStringLiteral("cmd_ok")), Qt::LeftButton);
    ASSERT_NE(app_->mainFrame(), nullptr);
}

std::vector<QString> DesktopFixture::messages() const
{
    std::vector<QString> out;
    const TextTable& texts = app_ ? app_->texts() : german_;
    for (const Prompt& p : asked())
        out.push_back(p.render(texts));
    return out;
}

QString DesktopFixture::shipped(const QString& relative)
{
    return QStringLiteral(ZENDRIK_SHIPPED_DATA "/") + relative;
}

QString DesktopFixture::copySample(const QString& name)
{
    const QString target = work(name);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(shipped(QStringLiteral("samples/") + name), target));
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QWidget* DesktopFixture::startScreen() const
{
    return app_ ? app_->startScreen() : nullptr;
}

QWidget* DesktopFixture::frame() const
{
    return app_ ? app_->mainFrame() : nullptr;
}

QAction* DesktopFixture::action(const char* objectName) const
{
    return app_->mainFrame()->menu().action(QString::fromUtf8(objectName));
}

void DesktopFixture::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void DesktopFixture::trigger(const char* objectName)
{
    settle();
    QAction* a = action(objectName);
    ASSERT_NE(a, nullptr) << objectName;
    ASSERT_TRUE(a->isEnabled()) << objectName;
    a->trigger();
}

QStringList DesktopFixture::gridText() const
{
    const QAbstractItemModel* m = app_->mainFrame()->listWindow().grid()->model();
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
