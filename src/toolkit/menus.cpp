// Menu bars, keyboard shortcuts and status bars.

#include "toolkit/toolkit_private.h"

#include <algorithm>

namespace tk {
namespace detail {

namespace {

void PostMenuItem(WindowId window, int number) {
    Event e;
    e.kind = EventKind::MenuItem;
    e.window = window;
    e.menuItem = number;
    Push(e);
}

QMenu& CurrentMenu(WindowRec& w) {
    if (!w.currentMenu) AddMenu(w.id, "");
    return *w.currentMenu;
}

// Every item action of the menu bar, those of sub-menus included.
void CollectItems(QMenu* menu, std::vector<QAction*>& items) {
    for (QAction* item : menu->actions()) {
        if (item->menu()) CollectItems(item->menu(), items);
        else if (!item->isSeparator()) items.push_back(item);
    }
}

std::vector<QAction*> ItemActions(const WindowRec& w, int number) {
    std::vector<QAction*> all;
    std::vector<QAction*> matching;
    if (!w.menuBar) return matching;
    for (QAction* menu : w.menuBar->actions()) {
        if (menu->menu()) CollectItems(menu->menu(), all);
    }
    for (QAction* item : all) {
        if (item->data().toInt() == number) matching.push_back(item);
    }
    return matching;
}

// The menu or sub-menu of the menu bar with this title.
QMenu* FindMenu(QMenu* menu, const QString& title) {
    if (menu->title() == title) return menu;
    for (QAction* item : menu->actions()) {
        if (!item->menu()) continue;
        if (QMenu* found = FindMenu(item->menu(), title)) return found;
    }
    return nullptr;
}

}  // namespace

StatusBarWidget::StatusBarWidget(QWidget* parent) : QFrame(parent) {
    setAutoFillBackground(true);
    const int fieldH = fontMetrics().height() + 6;
    setFixedHeight(fieldH + 4);
}

void StatusBarWidget::AddField(int width) {
    auto* label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(nextX_, 2, width, height() - 4);
    label->show();
    nextX_ += width + 2;
    fields_.push_back(label);
}

QLabel* StatusBarWidget::Field(int index) const {
    if (index < 0 || index >= static_cast<int>(fields_.size())) return nullptr;
    return fields_[static_cast<std::size_t>(index)];
}

std::vector<int> StatusBarWidget::Widths() const {
    std::vector<int> widths;
    for (const QLabel* label : fields_) widths.push_back(label->width());
    return widths;
}

}  // namespace detail

using namespace detail;

void CreateMenuBar(WindowId window) {
    WindowRec& w = Win(window);
    if (w.menuBar) return;
    w.menuBar = new QMenuBar(w.frame);
    w.menuBar->setNativeMenuBar(false);
    w.menuBar->show();
    ApplyInnerSize(w, w.innerWidth, w.innerHeight);  // the menu bar adds to the window
}

void AddMenu(WindowId window, const std::string& title) {
    WindowRec& w = Win(window);
    if (!w.menuBar) CreateMenuBar(window);
    w.outerMenu = nullptr;
    w.currentMenu = w.menuBar->addMenu(Literal(title));
    // A separator is drawn wherever the program puts one, the last line of a
    // menu included; by default the widgets would hide that one.
    w.currentMenu->setSeparatorsCollapsible(false);
    w.currentMenuTitle = title;
    ApplyInnerSize(w, w.innerWidth, w.innerHeight);  // the menu bar adds to the window
}

void AddMenuItem(WindowId window, int number, const std::string& text) {
    WindowRec& w = Win(window);
    QAction* action = CurrentMenu(w).addAction(Literal(text));
    action->setData(number);
    QObject::connect(action, &QAction::triggered, [window, number] { PostMenuItem(window, number); });
    w.entries.push_back({w.currentMenuTitle, number, text});
}

void AddMenuSeparator(WindowId window) {
    WindowRec& w = Win(window);
    CurrentMenu(w).addSeparator();
    w.entries.push_back({w.currentMenuTitle, -1, ""});
}

void AddSubMenu(WindowId window, const std::string& title) {
    WindowRec& w = Win(window);
    EndSubMenu(window);
    QMenu& outer = CurrentMenu(w);
    QMenu* sub = outer.addMenu(Literal(title));
    sub->menuAction()->setData(-2);  // neither an item nor a separator
    w.outerMenu = &outer;
    w.outerMenuTitle = w.currentMenuTitle;
    w.currentMenu = sub;
    w.currentMenuTitle = title;
}

void EndSubMenu(WindowId window) {
    WindowRec& w = Win(window);
    if (!w.outerMenu) return;
    w.currentMenu = w.outerMenu;
    w.currentMenuTitle = w.outerMenuTitle;
    w.outerMenu = nullptr;
}

void AddShortcut(WindowId window, int key, unsigned modifiers, int menuItem) {
    WindowRec& w = Win(window);
    const QKeySequence sequence(QKeyCombination(QtModifiersOf(modifiers), static_cast<Qt::Key>(QtKeyOf(key))));
    auto* shortcut = new QShortcut(sequence, w.frame);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    auto post = [window, menuItem] { PostMenuItem(window, menuItem); };
    QObject::connect(shortcut, &QShortcut::activated, post);
    QObject::connect(shortcut, &QShortcut::activatedAmbiguously, post);
    w.shortcuts.push_back({key, modifiers, menuItem});
}

void SendWhenMenuOpens(WindowId window, const std::string& menu, int number) {
    WindowRec& w = Win(window);
    if (!w.menuBar) return;
    for (QAction* title : w.menuBar->actions()) {
        QMenu* found = title->menu() ? FindMenu(title->menu(), Literal(menu)) : nullptr;
        if (!found) continue;
        QObject::connect(found, &QMenu::aboutToShow, [window, number] { PostMenuItem(window, number); });
        return;
    }
}

std::vector<MenuEntry> MenuEntries(WindowId window) { return Win(window).entries; }

void SetMenuItem(WindowId window, int number, const std::string& text, bool enabled) {
    WindowRec& w = Win(window);
    auto entry = std::find_if(w.entries.begin(), w.entries.end(), [number](const MenuEntry& e) { return e.number == number; });
    if (entry == w.entries.end() || (entry->text == text && entry->enabled == enabled) || !w.menuBar) return;
    entry->text = text;
    entry->enabled = enabled;
    for (QAction* item : ItemActions(w, number)) {
        item->setText(Literal(text));
        item->setEnabled(enabled);
    }
}

void ShowMenuItem(WindowId window, int number, bool visible) {
    WindowRec& w = Win(window);
    for (MenuEntry& entry : w.entries) {
        if (entry.number == number) entry.visible = visible;
    }
    for (QAction* item : ItemActions(w, number)) item->setVisible(visible);
}

std::vector<Shortcut> Shortcuts(WindowId window) { return Win(window).shortcuts; }

void CreateStatusBar(WindowId window) {
    WindowRec& w = Win(window);
    if (w.statusBar) return;
    w.statusBar = new StatusBarWidget(w.content);
    w.statusBar->show();
    LayoutWindow(w);
}

void AddStatusField(WindowId window, int width) {
    WindowRec& w = Win(window);
    if (!w.statusBar) CreateStatusBar(window);
    w.statusBar->AddField(width);
}

void SetStatusText(WindowId window, int field, const std::string& text) {
    WindowRec& w = Win(window);
    QLabel* label = w.statusBar ? w.statusBar->Field(field) : nullptr;
    if (label) label->setText(Q(text));
}

std::string StatusText(WindowId window, int field) {
    WindowRec& w = Win(window);
    QLabel* label = w.statusBar ? w.statusBar->Field(field) : nullptr;
    return label ? S(label->text()) : std::string();
}

std::vector<int> StatusFieldWidths(WindowId window) {
    WindowRec& w = Win(window);
    return w.statusBar ? w.statusBar->Widths() : std::vector<int>{};
}

}  // namespace tk
