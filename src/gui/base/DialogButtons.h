// The standard buttons of a dialog, captioned from the language tables
// ("ОК", "Отмена" / "OK", "Cancel") instead of the toolkit's own texts, which
// follow the system's language rather than the one the user chose.
#pragma once

#include <QDialogButtonBox>

namespace phonotab {

QDialogButtonBox* standardButtons(QDialogButtonBox::StandardButtons which, QWidget* parent);
// Captions the box's standard buttons (OK, Cancel, Close, Yes, No).
void captionStandardButtons(QDialogButtonBox& box);

}  // namespace phonotab
