#include "ui/Action.h"

#include <commctrl.h>

namespace ui {

Action::Action(int id, std::string caption, std::string hint, int imageIndex, std::string shortcut)
    : id_(id), caption_(std::move(caption)), hint_(std::move(hint)), imageIndex_(imageIndex),
      shortcut_(std::move(shortcut)) {}

void Action::SetEnabled(bool enabled) {
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    if (list_) {
        list_->ShowEnabled(*this);
    }
}

bool Action::Execute() {
    if (!enabled_ || !OnExecute) {
        return false;
    }
    OnExecute();
    return true;
}

void ActionList::Add(Action& action) {
    action.list_ = this;
    actions_.push_back(&action);
}

void ActionList::AddMenu(HMENU menu) {
    menus_.push_back(menu);
    for (const Action* action : actions_) {
        ShowEnabled(*action);
    }
}

Action* ActionList::Find(int id) const {
    for (Action* action : actions_) {
        if (action->Id() == id) {
            return action;
        }
    }
    return nullptr;
}

bool ActionList::Execute(int id) {
    Action* action = Find(id);
    return action && action->Execute();
}

void ActionList::ShowEnabled(const Action& action) {
    const UINT state = action.Enabled() ? MF_ENABLED : MF_GRAYED;
    for (HMENU menu : menus_) {
        // By command, EnableMenuItem finds the entry in the submenus too.
        EnableMenuItem(menu, static_cast<UINT>(action.Id()), MF_BYCOMMAND | state);
    }
    if (toolBar_) {
        SendMessageA(toolBar_, TB_ENABLEBUTTON, static_cast<WPARAM>(action.Id()),
                     MAKELPARAM(action.Enabled(), 0));
    }
}

} // namespace ui
