// The program's settings: an INI file named after the program ("phonotab.ini"
// in the user's configuration folder), read and written by section and key, as
// integers, texts and window rectangles (16 bytes: left, top, right, bottom as
// little-endian 32-bit numbers). A missing file or key gives the caller's default.
#pragma once

#include <QRect>
#include <QSettings>
#include <QString>

#include <optional>

namespace phonotab {

class SettingsStore {
public:
    explicit SettingsStore(const QString& iniPath);
    // The user's settings file of the program.
    static QString defaultPath();

    // Whether the key has a value.
    bool contains(const QString& section, const QString& key) const;
    int integer(const QString& section, const QString& key, int fallback) const;
    QString text(const QString& section, const QString& key, const QString& fallback = {}) const;
    void setInteger(const QString& section, const QString& key, int value);
    void setText(const QString& section, const QString& key, const QString& value);

    // A stored rectangle; none unless the value is exactly 16 bytes.
    std::optional<QRect> rect(const QString& section, const QString& key) const;
    void setRect(const QString& section, const QString& key, const QRect& r);

    void sync() { settings_.sync(); }
    QString fileName() const { return settings_.fileName(); }

private:
    mutable QSettings settings_;
};

// A rectangle as (left, top, right, bottom) with right and bottom just outside it.
QRect rectFromEdges(int left, int top, int right, int bottom);

// Where the file choosers start: the folders last used for instrument files
// and for results, shared by every window that asks for such files.
namespace browsesettings {
inline const QString kSection = QStringLiteral("BrowseSect");
inline const QString kDataFolderKey = QStringLiteral("BinPath");
inline const QString kResultFolderKey = QStringLiteral("ResultPath");
}  // namespace browsesettings

}  // namespace phonotab
