// Texts of the string table and the core's messages as Qt strings.
#pragma once

#include <QString>

#include <string>

#include "core/base/Message.h"
#include "core/base/StringTable.h"

namespace phonotab {

// The text with this number in the current language.
inline QString uiText(int id) { return QString::fromStdString(phonotab::tr(id)); }
inline QString toQt(const std::string& s) { return QString::fromStdString(s); }
inline std::string fromQt(const QString& s) { return s.toStdString(); }
inline QString messageText(const Message& m) { return QString::fromStdString(m.text()); }

}  // namespace phonotab
