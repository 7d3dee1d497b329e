#pragma once
// Menus of the skin ("menu.xml"): a list of items, each with the name the window routes and a
// text key shown translated; separators between groups; a submenu holds its own items.
//
//   <Menu>
//     <Item name="setwnd_menu" text="menu_setting_text"/>
//     <Separator/>
//     <Menu text="menu_record_text"> <Item .../> </Menu>
//     <Item name="exit" text="menu_exit_text"/>
//   </Menu>

#include <QMenu>
#include <QString>

#include <functional>

namespace morvek::app {

// Fills menu from the file; chosen(name) runs when an item is chosen. False when the file
// cannot be read (the menu then keeps what it had).
bool LoadMenuFile(const QString& path, QMenu& menu, const std::function<void(const QString&)>& chosen);

}  // namespace morvek::app
