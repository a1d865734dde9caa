// The large child windows (tables, plots, report, project files) are document
// windows: the main window owns them (they close with it), yet the window
// manager may put them in front of or behind it and minimize them, like the
// windows of any document program. Small tool windows stay dialogs that keep
// above the main window.
#pragma once

class QWidget;

namespace phonotab {

// Gives the window the frame of a document window (minimize and maximize
// buttons) and keeps it from being bound above its owner, which the toolkit
// does for every owned window each time it is shown. Call once, before the
// window is first shown.
void makeDocumentWindow(QWidget& window);

}  // namespace phonotab
