#include "gui/tables/TableClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "core/tables/io/CellBlock.h"
#include "core/tables/io/TableClipboardText.h"

namespace phonotab::table_clipboard {

namespace {

QString qtText(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

CellRect wholeTable(const ReportTable& table) { return CellRect{0, 0, table.columnCount(), table.rowCount()}; }

}  // namespace

bool putTableHtml(const ReportTable& table, const DisplayTexts& shown, HtmlColours colours) {
    const std::optional<ClipboardHtml> html = TableClipboardHtml(table, shown, colours);
    if (!html) return false;
    auto* data = new QMimeData;
    const std::string_view doc = html->html();
    data->setData(QStringLiteral("text/html"), QByteArray(doc.data(), static_cast<qsizetype>(doc.size())));
    data->setText(qtText(TableSelectionText(table, shown, wholeTable(table))));
    QApplication::clipboard()->setMimeData(data);
    return true;
}

void putCellsText(const ReportTable& table, const DisplayTexts& shown, CellRect rect) {
    QApplication::clipboard()->setText(qtText(TableSelectionText(table, shown, rect)));
}

void putCellBlock(OpenTables::Id table, bool cut, CellRect rect, const ReportTable& source, const DisplayTexts& shown) {
    CellBlock block;
    block.sourceTable = table;
    block.cut = cut;
    block.rect = rect;
    const auto bytes = block.bytes();
    auto* data = new QMimeData;
    data->setData(CellBlockType, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    data->setText(qtText(TableSelectionText(source, shown, rect)));
    QApplication::clipboard()->setMimeData(data);
}

bool pasteCellsText(ReportTable& table, CellKey at) {
    const QByteArray text = QApplication::clipboard()->text().toUtf8();
    return PasteTableText(table, at, std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

CellPasteOutcome pasteCellBlock(const OpenTables& tables, ReportTable& target, CellKey at) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(CellBlockType)) return {};
    const QByteArray bytes = data->data(CellBlockType);
    return PasteCellBlock(tables, target,
                          ByteSpan(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())),
                          at);
}

}  // namespace phonotab::table_clipboard
