// What the main window needs of each of its child windows: the kind under
// which the project stores it, its own stored state, and a last word when the
// project or the program closes it.
#pragma once

#include "core/project/ProjectState.h"

class QWidget;

namespace phonotab {

class ChildWindowInterface {
public:
    virtual ~ChildWindowInterface() = default;

    virtual WindowKind windowKind() const = 0;
    virtual QWidget* asWidget() = 0;
    // Whether the window took a stored rectangle of its own when it was made;
    // the others are cascaded over the main window.
    virtual bool hasOwnPlacement() const { return false; }

    // The state the project keeps after the window's rectangle.
    virtual WindowState ownState() const { return {}; }
    virtual void restoreOwnState(const WindowState&) {}

    // Called before the project or the program closes the window; a window
    // that holds unsaved work of its own (a table) saves it or lets it go here.
    virtual void closeWithProject() {}
};

}  // namespace phonotab
