#pragma once

#include "language/ExtraText.h"
#include "language/TextId.h"

#include <QObject>
#include <QString>

#include <variant>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace zendrik {

class TextTable;

// The menus of the main list window. Every command is an action with the
// control name as objectName and its caption from the text table, so the
// menus follow the chosen language. Later commands are added with
// addCommand(menu, name, caption, before) in front of a named separator:
//   File:     printing before "sepDatTransfer", the transfers before "sepDatBend"
//             (between "Drucken..." and "Beenden")
//   Edit:     the entry dialogs before "sepBaEingabe", delete, change and copy
//             before "sepBaAendern" ("Filtern..." follows)
//   View:     the simulation at the end (after "sepAnsGrafik")
//   Settings: the edit assistant and holidays before "sepEinstGeraet",
//             the master card at the end
// Consecutive separators collapse, so empty places do not show.
class MainMenu : public QObject {
    Q_OBJECT
public:
    enum MenuId { File,
                  Edit,
                  View,
                  Settings,
                  Help,
                  MenuCount };

    MainMenu(QMenuBar* bar, QObject* parent);

    // Adds a command to a menu in front of the action or separator named
    // `before` (at the end when empty or not found).
    QAction* addCommand(MenuId menu, const QString& objectName, TextId caption, const QString& before = QString());
    // The same for a command whose caption is a text of our own table.
    QAction* addCommand(MenuId menu, const QString& objectName, const ExtraText& caption,
                        const QString& before = QString());
    // Adds a view command: checkable, one of the exclusive view choices.
    QAction* addView(const QString& objectName, TextId caption, const QString& before = QString());

    QAction* action(const QString& objectName) const;
    QMenu* menu(MenuId id) const { return menus_[static_cast<std::size_t>(id)]; }
    QActionGroup* views() const { return views_; }

    // Sets every caption from the text table.
    void retranslate(const TextTable& texts);

private:
    QAction* separator(MenuId menu, const QString& objectName);
    QAction* find(MenuId menu, const QString& objectName) const;

    struct Caption {
        QObject* item; // QAction or QMenu
        std::variant<TextId, ExtraText> id;
    };
    std::vector<QMenu*> menus_;
    std::vector<Caption> captions_;
    QActionGroup* views_;
};

} // namespace zendrik
