#include "ui/frame/MainMenu.h"

#include "language/TextTable.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace zendrik {

namespace {

struct MenuDef {
    const char* objectName;
    TextId caption;
};

// The menus in bar order with their control names and captions.
constexpr MenuDef kMenus[MainMenu::MenuCount] = {
    {"mnuDat", TextId::MenuFile},
    {"mnuBa", TextId::MenuEdit},
    {"mnuAns", TextId::MenuWindow},
    {"mnuEinst", TextId::MenuSettings},
    {"mnuHilfe", TextId::MenuHelp},
};

} // namespace

MainMenu::MainMenu(QMenuBar* bar, QObject* parent) : QObject(parent), views_(new QActionGroup(this))
{
    views_->setExclusive(true);
    for (const MenuDef& def : kMenus) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QString::fromLatin1(def.objectName));
        menus_.push_back(m);
        captions_.push_back({m, def.caption});
    }
    separator(File, QStringLiteral("sepDatVorl"));
    separator(File, QStringLiteral("sepDatDruck"));
    separator(File, QStringLiteral("sepDatTransfer"));
    separator(File, QStringLiteral("sepDatBend"));
    separator(Edit, QStringLiteral("sepBaEingabe"));
    separator(Edit, QStringLiteral("sepBaAendern"));
    separator(Edit, QStringLiteral("sepBaFilt"));
    separator(View, QStringLiteral("sepAnsVorl"));
    separator(View, QStringLiteral("sepAnsGrafik"));
    separator(Settings, QStringLiteral("sepEinstGeraet"));
}

QAction* MainMenu::separator(MenuId menuId, const QString& objectName)
{
    QAction* sep = menu(menuId)->addSeparator();
    sep->setObjectName(objectName);
    return sep;
}

QAction* MainMenu::find(MenuId menuId, const QString& objectName) const
{
    if (objectName.isEmpty())
        return nullptr;
    const QList<QAction*> actions = menu(menuId)->actions();
    for (QAction* a : actions) {
        if (a->objectName() == objectName)
            return a;
    }
    return nullptr;
}

QAction* MainMenu::addCommand(MenuId menuId, const QString& objectName, TextId caption, const QString& before)
{
    QMenu* m = menu(menuId);
    auto* a = new QAction(m);
    a->setObjectName(objectName);
    m->insertAction(find(menuId, before), a);
    captions_.push_back({a, caption});
    return a;
}

QAction* MainMenu::addCommand(MenuId menuId, const QString& objectName, const ExtraText& caption,
                              const QString& before)
{
    QAction* a = addCommand(menuId, objectName, TextId::MenuFile, before);
    captions_.back().id = caption;
    return a;
}

QAction* MainMenu::addView(const QString& objectName, TextId caption, const QString& before)
{
    QAction* a = addCommand(View, objectName, caption, before);
    a->setCheckable(true);
    views_->addAction(a);
    return a;
}

QAction* MainMenu::action(const QString& objectName) const
{
    for (int i = 0; i < MenuCount; ++i) {
        if (QAction* a = find(static_cast<MenuId>(i), objectName); a && !a->isSeparator())
            return a;
    }
    return nullptr;
}

void MainMenu::retranslate(const TextTable& texts)
{
    for (const Caption& c : captions_) {
        const QString text = std::visit([&texts](const auto& id) { return texts(id); }, c.id);
        if (auto* m = qobject_cast<QMenu*>(c.item))
            m->setTitle(text);
        else if (auto* a = qobject_cast<QAction*>(c.item))
            a->setText(text);
    }
}

} // namespace zendrik
