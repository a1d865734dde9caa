#include "gui/base/SettingsStore.h"

#include <QByteArray>
#include <QtEndian>

namespace phonotab {

namespace {
QString path(const QString& section, const QString& key) { return section + "/" + key; }
}  // namespace

QRect rectFromEdges(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

SettingsStore::SettingsStore(const QString& iniPath) : settings_(iniPath, QSettings::IniFormat) {}

QString SettingsStore::defaultPath() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "phonotab").fileName();
}

bool SettingsStore::contains(const QString& section, const QString& key) const {
    return settings_.contains(path(section, key));
}

int SettingsStore::integer(const QString& section, const QString& key, int fallback) const {
    bool ok = false;
    const int v = settings_.value(path(section, key)).toInt(&ok);
    return ok ? v : fallback;
}

QString SettingsStore::text(const QString& section, const QString& key, const QString& fallback) const {
    const QVariant v = settings_.value(path(section, key));
    if (!v.isValid()) return fallback;
    // An unquoted value with commas (a file edited by hand) reads as a list.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

void SettingsStore::setInteger(const QString& section, const QString& key, int value) {
    settings_.setValue(path(section, key), value);
}

void SettingsStore::setText(const QString& section, const QString& key, const QString& value) {
    settings_.setValue(path(section, key), value);
}

std::optional<QRect> SettingsStore::rect(const QString& section, const QString& key) const {
    const QByteArray b = settings_.value(path(section, key)).toByteArray();
    if (b.size() != 16) return std::nullopt;
    int edges[4];
    for (int i = 0; i < 4; ++i) edges[i] = qFromLittleEndian<qint32>(b.constData() + 4 * i);
    return rectFromEdges(edges[0], edges[1], edges[2], edges[3]);
}

void SettingsStore::setRect(const QString& section, const QString& key, const QRect& r) {
    QByteArray b(16, '\0');
    const qint32 edges[4] = {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
    for (int i = 0; i < 4; ++i) qToLittleEndian<qint32>(edges[i], b.data() + 4 * i);
    settings_.setValue(path(section, key), b);
}

}  // namespace phonotab
