// Texts of the string table and the core's messages as Qt strings.
#pragma once

#include <QString>

#include <string>

#include "core/base/Message.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

namespace phonotab {

// An interface text in the current language.
inline QString uiText(text::Id id) { return QString::fromStdString(phonotab::tr(id)); }
// The text that is `offset` places after `first` in a run of texts kept in
// order in the language tables (the levels of a choice, the parts of a time).
inline QString uiText(text::Id first, int offset) { return QString::fromStdString(phonotab::tr(first + offset)); }
// A message's or a question's own text, without arguments.
inline QString uiText(msg::Id id) { return QString::fromStdString(phonotab::tr(id)); }
inline QString toQt(const std::string& s) { return QString::fromStdString(s); }
inline std::string fromQt(const QString& s) { return s.toStdString(); }
inline QString messageText(const Message& m) { return QString::fromStdString(m.text()); }

}  // namespace phonotab
