#include "tests/ui/DesktopFixture.h"

#include "model/DeviceTypes.h"
#include "tests/support/TestPrograms.h"

#include <algorithm>

namespace zendrik::test {

QByteArray SavedImage(const ProgramModel& model)
{
    QTemporaryDir dir;
    ProgramModel copy = model;
    copy.clock = [] { return QDateTime(QDate(2026, 1, 5), QTime(8, 0)); };
    const QString path = saveProgramAs(copy, dir.filePath(QStringLiteral("IMAGE.ZPG")));
    EXPECT_FALSE(path.isEmpty());
    return readFile(path);
}

void DesktopFixture::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QFile::copy(shipped(QStringLiteral("zendrik.sys")), work(QStringLiteral("zendrik.sys"))));
    german_.LoadGerman();
}

bool DesktopFixture::startApp()
{
    app_ = std::make_unique<DesktopApp>(workDir(), &interaction_, &chooser_);
    if (!screenArea_.isEmpty()) app_->setScreenArea([area = screenArea_](const QWidget*) { return area; });
    return app_->start();
}

void DesktopFixture::startWith(int row, int sprache)
{
    ASSERT_TRUE(startApp());
    FrmStartbild* start = app_->startScreen();
    ASSERT_NE(start, nullptr);
    const char* languages[] = {"", "AniDeutsch", "AniEnglisch", "AniFrance"};
    if (sprache != model().device.Sprache) click(start, languages[sprache]);
    auto* combo = child<QComboBox>(start, "cboUhrentyp");
    combo->setCurrentIndex(combo->findData(row));
    ASSERT_GE(combo->currentIndex(), 0);
    press(start, "cmd_ok");
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

std::vector<QString> DesktopFixture::messages() const
{
    std::vector<QString> out;
    for (const Prompt& p : asked()) out.push_back(p.render(app_ ? app_->texts() : german_));
    return out;
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

QStringList DesktopFixture::items(const QComboBox* combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

QStringList DesktopFixture::items(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

void DesktopFixture::typeAndLeave(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

void DesktopFixture::markRows(int first, int last) const
{
    const QAbstractItemModel* m = grid()->model();
    grid()->selectionModel()->select(QItemSelection(m->index(first - 1, 0), m->index(last - 1, 0)),
                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DesktopFixture::doubleClickCell(int row, int column) const
{
    grid()->scrollTo(grid()->model()->index(row, column));
    const QPoint at = grid()->visualRect(grid()->model()->index(row, column)).center();
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, at);
}

int DesktopFixture::asks(const ExtraText& question) const
{
    return static_cast<int>(std::count_if(asked().begin(), asked().end(), [&question](const Prompt& p) {
        const auto* own = p.parts.empty() ? nullptr : std::get_if<ExtraText>(&p.parts.front());
        return own && QByteArray(own->de) == QByteArray(question.de);
    }));
}

QStringList DesktopFixture::gridText() const
{
    const QAbstractItemModel* m = grid()->model();
    QStringList lines, cells;
    for (int c = 0; c < m->columnCount(); ++c) cells << m->headerData(c, Qt::Horizontal).toString();
    for (int r = 0; !cells.join(QString()).isEmpty() && r <= m->rowCount(); ++r) {
        lines << cells.join(QLatin1Char('\t'));
        cells.clear();
        for (int c = 0; r < m->rowCount() && c < m->columnCount(); ++c) cells << m->index(r, c).data().toString();
    }
    return lines;
}

} // namespace zendrik::test
