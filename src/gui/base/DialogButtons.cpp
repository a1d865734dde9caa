
#include <QPushButton>

#include "gui/base/DialogButtons.h"
#include "gui/base/UiText.h"

namespace phonotab {

QDialogButtonBox* standardButtons(QDialogButtonBox::StandardButtons which, QWidget* parent) {
    auto* box = new QDialogButtonBox(which, parent);
    captionStandardButtons(*box);
    return box;
}

void captionStandardButtons(QDialogButtonBox& box) {
    const struct {
        QDialogButtonBox::StandardButton button;
        text::Id caption;
    } captions[] = {
        {QDialogButtonBox::Ok, text::Ok},   {QDialogButtonBox::Cancel, text::Cancel}, {QDialogButtonBox::Close, text::Close},
        {QDialogButtonBox::Yes, text::Yes}, {QDialogButtonBox::No, text::No},
    };
    for (const auto& c : captions)
        if (QPushButton* b = box.button(c.button)) b->setText(uiText(c.caption));
}

}  // namespace phonotab
