#include "gui/acoustics/ParameterTableModel.h"

#include <QColor>

#include <algorithm>
#include <set>
#include <vector>

#include "core/base/CFormat.h"

#include "gui/base/ProjectSession.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {

// The percentiles of a calculation as a small table: a row per percentile,
// a column per window, the first windows only when there are many.
QString percentileTable(const std::vector<std::vector<double>>& levels, const std::set<double>& percentiles) {
    constexpr std::size_t kMostWindows = 8;
    std::size_t windows = 0;
    for (const auto& row : levels) windows = std::max(windows, row.size());
    const std::size_t shown = std::min(windows, kMostWindows);
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\"><tr><th align=\"left\">%1</th>"
                                  "<th align=\"right\" colspan=\"%2\">%3</th></tr>")
                       .arg(uiText(text::PercentileColumn).toHtmlEscaped())
                       .arg(std::max<std::size_t>(1, shown + (windows > shown ? 1 : 0)))
                       .arg(uiText(text::LevelColumn).toHtmlEscaped());
    auto label = percentiles.begin();
    for (const auto& row : levels) {
        const QString name = label != percentiles.end() ? QString::fromStdString(cformat("L%g", *label++)) : QString();
        html += QStringLiteral("<tr><td>%1</td>").arg(name);
        for (std::size_t w = 0; w < shown; ++w)
            html += QStringLiteral("<td align=\"right\">%1</td>")
                        .arg(w < row.size() ? QString::fromStdString(cformat("%.2lf", row[w])) : QString());
        if (windows > shown) html += QStringLiteral("<td>…</td>");
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

}  // namespace

ParameterTableModel::ParameterTableModel(ProjectSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

const CalcFile* ParameterTableModel::file() const { return session_.currentFile(); }

NamingContext ParameterTableModel::naming() const {
    const CalcFile* f = file();
    if (!f) return {};
    return NamingContext{&session_.teleDescription(), &f->file.layout, &f->file.header};
}

int ParameterTableModel::rowCount(const QModelIndex& parent) const {
    const CalcFile* f = file();
    return parent.isValid() || !f ? 0 : static_cast<int>(f->entries.size());
}

int ParameterTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kParameterColumns; }

QVariant ParameterTableModel::data(const QModelIndex& index, int role) const {
    const CalcFile* f = file();
    if (!f || !index.isValid() || index.row() >= static_cast<int>(f->entries.size())) return {};
    const ParameterEntry& e = f->entries[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return column == kSourceColumn ? QVariant(QString::fromStdString(entryDisplayName(e, naming()))) : QVariant();
        case Qt::ForegroundRole:
            if (column != kSourceColumn) return {};
            return QColor(static_cast<int>(e.colour & 0xFF), static_cast<int>((e.colour >> 8) & 0xFF),
                          static_cast<int>((e.colour >> 16) & 0xFF));
        case Qt::CheckStateRole: {
            if (column == kSourceColumn) return {};
            // The second mark: an entry with sub-entries (never plotted), and
            // the synthesized levels' statistics in histogram mode (not computed).
            if (column == kPlotColumn && !e.subEntries.empty()) return Qt::PartiallyChecked;
            if (column != kPlotColumn && f->settings.histogramMode && parameterKind(e.code) == ParameterKind::SynthesizedLeq)
                return Qt::PartiallyChecked;
            return columnFlag(e, column) ? Qt::Checked : Qt::Unchecked;
        }
        case Qt::ToolTipRole:
            if (column == kPercentileColumn && !e.first.percentiles.empty())
                return percentileTable(e.first.percentiles, f->settings.histogram.percentiles);
            return QString::fromStdString(parameterTooltip(e, column, naming()));
        default: return {};
    }
}

QVariant ParameterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromStdString(parameterColumnTitle(section));
}

void ParameterTableModel::reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace phonotab
