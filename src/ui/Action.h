#pragma once
// Actions: one command with its caption, hint, picture and shortcut, run the same way from a menu
// entry, a tool bar button, a shortcut key or code. A disabled action runs nothing, whatever the
// route; its menu entries and tool bar button show it disabled.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

class Action {
  public:
    Action(int id, std::string caption, std::string hint, int imageIndex, std::string shortcut = {});
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;

    int Id() const { return id_; }
    const std::string& Caption() const { return caption_; }
    const std::string& Hint() const { return hint_; }
    int ImageIndex() const { return imageIndex_; }
    // The shortcut as a menu shows it ("F2"), empty for none.
    const std::string& ShortcutText() const { return shortcut_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Runs the handler when the action is enabled; true when it ran.
    bool Execute();

    std::function<void()> OnExecute;

  private:
    friend class ActionList;
    int id_;
    std::string caption_;
    std::string hint_;
    int imageIndex_;
    std::string shortcut_;
    bool enabled_ = true;
    class ActionList* list_ = nullptr;
};

// The actions of a window, with the menus and the tool bar that show their state.
class ActionList {
  public:
    void Add(Action& action);
    // Menus (their submenus included) whose entries carry action ids, and the tool bar whose buttons do.
    void AddMenu(HMENU menu);
    void SetToolBar(HWND toolBar) { toolBar_ = toolBar; }

    // The action with this command id, or nullptr.
    Action* Find(int id) const;
    // Runs the action with this command id as its menu entry would; false when there is no such action
    // or it is disabled.
    bool Execute(int id);

  private:
    friend class Action;
    void ShowEnabled(const Action& action);

    std::vector<Action*> actions_;
    std::vector<HMENU> menus_;
    HWND toolBar_ = nullptr;
};

} // namespace ui
