#include "gui/base/AppIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace phonotab {

namespace {

// Every picture is drawn on a 32 × 32 grid and scaled to the size asked for.
using Drawing = std::function<void(QPainter&)>;

QIcon drawn(const Drawing& draw) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        draw(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

const QColor kInk(60, 60, 70);
const QColor kPaper(252, 252, 248);
const QColor kGreen(0, 160, 60);
const QColor kRed(200, 40, 40);
const QColor kBlue(40, 90, 190);
const QColor kYellow(240, 200, 60);

// A sheet of paper with a folded corner.
void page(QPainter& p) {
    QPainterPath path;
    path.moveTo(6, 2);
    path.lineTo(20, 2);
    path.lineTo(27, 9);
    path.lineTo(27, 30);
    path.lineTo(6, 30);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawPolyline(QPolygonF({QPointF(20, 2), QPointF(20, 9), QPointF(27, 9)}));
}

void grid(QPainter& p, const QRectF& r, int columns, int rows, const QColor& head) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / rows), head);
    for (int c = 1; c < columns; ++c) {
        const double x = r.left() + r.width() * c / columns;
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
    for (int k = 1; k < rows; ++k) {
        const double y = r.top() + r.height() * k / rows;
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void curve(QPainter& p, const QColor& colour, double width) {
    QPainterPath path;
    path.moveTo(4, 22);
    path.cubicTo(9, 6, 13, 28, 18, 14);
    path.cubicTo(21, 7, 25, 18, 28, 10);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void lines(QPainter& p, double top, int count) {
    p.setPen(QPen(kInk.lighter(160), 1.6));
    for (int i = 0; i < count; ++i) p.drawLine(QPointF(10, top + 4 * i), QPointF(23, top + 4 * i));
}

}  // namespace

void drawDesktopImage(DesktopImage image, QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
        case DesktopImage::Application:
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(QColor(235, 242, 250));
            p.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
            p.setPen(QPen(kInk.lighter(170), 1));
            for (int y = 9; y < 30; y += 7) p.drawLine(QPointF(4, y), QPointF(28, y));
            curve(p, kGreen, 2.6);
            break;
        case DesktopImage::ProjectFile:
            // A page with the program's level curve over a small report table.
            page(p);
            p.save();
            p.translate(6.5, 4);
            p.scale(0.55, 0.5);
            curve(p, kGreen, 4);
            p.restore();
            grid(p, QRectF(9.5, 19, 14, 8), 3, 3, QColor(200, 220, 245));
            break;
        case DesktopImage::TableFile:
            page(p);
            grid(p, QRectF(9, 11, 15, 15), 3, 5, QColor(200, 220, 245));
            break;
    }
}

QIcon applicationIcon() {
    return drawn([](QPainter& p) { drawDesktopImage(DesktopImage::Application, p); });
}

QIcon folderItemIcon(FolderItemKind kind) {
    switch (kind) {
        case FolderItemKind::Text:
            return drawn([](QPainter& p) {
                page(p);
                lines(p, 12, 5);
            });
        case FolderItemKind::Bitmap:
            return drawn([](QPainter& p) {
                page(p);
                p.fillRect(QRectF(9, 13, 15, 13), QColor(170, 210, 240));
                p.setPen(Qt::NoPen);
                p.setBrush(kGreen);
                p.drawPolygon(QPolygonF({QPointF(9, 26), QPointF(15, 18), QPointF(19, 23), QPointF(21, 20),
                                         QPointF(24, 26)}));
                p.setBrush(kYellow);
                p.drawEllipse(QPointF(20, 16), 2, 2);
            });
        case FolderItemKind::Metafile:
            return drawn([](QPainter& p) {
                page(p);
                p.save();
                p.translate(3, 6);
                p.scale(0.8, 0.8);
                curve(p, kBlue, 2.4);
                p.restore();
                p.setPen(QPen(kRed, 1.6));
                p.drawRect(QRectF(10, 22, 5, 5));
                p.drawEllipse(QRectF(18, 22, 5, 5));
            });
        case FolderItemKind::Table:
            return drawn([](QPainter& p) { grid(p, QRectF(3, 6, 26, 21), 3, 4, QColor(200, 220, 245)); });
        case FolderItemKind::Workbook:
            // A spreadsheet: a green head row and a first column over the grid.
            return drawn([](QPainter& p) {
                grid(p, QRectF(3, 5, 26, 23), 4, 5, QColor(170, 220, 180));
                p.fillRect(QRectF(3.6, 9.6, 5.3, 17.8), QColor(225, 240, 228));
                p.setPen(QPen(kGreen.darker(120), 1.6));
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRectF(3, 5, 26, 23));
            });
        case FolderItemKind::Document:
            // A text document: a page with a blue heading and paragraphs.
            return drawn([](QPainter& p) {
                page(p);
                p.fillRect(QRectF(9, 7, 11, 3), kBlue);
                lines(p, 14, 3);
                p.setPen(QPen(kInk.lighter(160), 1.6));
                p.drawLine(QPointF(10, 26), QPointF(17, 26));
            });
    }
    return {};
}

QIcon toolbarIcon(ToolbarImage image) {
    switch (image) {
        case ToolbarImage::OpenProject:
            return drawn([](QPainter& p) {
                p.setPen(QPen(kInk, 1.4));
                p.setBrush(kYellow.darker(110));
                p.drawPolygon(QPolygonF({QPointF(2, 8), QPointF(11, 8), QPointF(14, 11), QPointF(26, 11),
                                         QPointF(26, 27), QPointF(2, 27)}));
                p.setBrush(kYellow);
                p.drawPolygon(QPolygonF({QPointF(2, 27), QPointF(7, 15), QPointF(30, 15), QPointF(26, 27)}));
            });
        case ToolbarImage::SaveProject:
            return drawn([](QPainter& p) {
                p.setPen(QPen(kInk, 1.4));
                p.setBrush(kBlue);
                p.drawRoundedRect(QRectF(3, 3, 26, 26), 2, 2);
                p.setBrush(kPaper);
                p.drawRect(QRectF(8, 3, 16, 10));
                p.setBrush(QColor(210, 210, 215));
                p.drawRect(QRectF(8, 18, 16, 11));
                p.fillRect(QRectF(18, 5, 3, 6), kInk);
            });
        case ToolbarImage::ProjectFiles:
            return drawn([](QPainter& p) {
                p.save();
                p.translate(-3, -1);
                page(p);
                p.restore();
                p.save();
                p.translate(3, 1);
                page(p);
                lines(p, 12, 4);
                p.restore();
            });
        case ToolbarImage::Report:
            return drawn([](QPainter& p) {
                page(p);
                p.setPen(QPen(kInk, 2));
                p.drawLine(QPointF(10, 8), QPointF(18, 8));
                lines(p, 13, 2);
                grid(p, QRectF(10, 20, 14, 7), 3, 2, QColor(200, 220, 245));
            });
        case ToolbarImage::Ranges:
            return drawn([](QPainter& p) {
                p.setPen(QPen(kInk, 1.2));
                p.setBrush(kPaper);
                p.drawRect(QRectF(2, 7, 28, 18));
                p.fillRect(QRectF(6, 8, 20, 5), kGreen);
                p.fillRect(QRectF(12, 13.5, 5, 5), kRed);
                p.fillRect(QRectF(20, 19, 6, 5), QColor(252, 252, 84));
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRectF(2, 7, 28, 18));
            });
        case ToolbarImage::Plot:
            return drawn([](QPainter& p) {
                p.setPen(QPen(kInk, 1.6));
                p.drawLine(QPointF(4, 3), QPointF(4, 28));
                p.drawLine(QPointF(4, 28), QPointF(30, 28));
                curve(p, kRed, 2.4);
            });
        case ToolbarImage::Parameters:
            return drawn([](QPainter& p) {
                grid(p, QRectF(3, 5, 26, 22), 2, 4, QColor(200, 220, 245));
                p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                for (double y : {12.5, 18.0, 23.5})
                    p.drawPolyline(QPolygonF({QPointF(19, y), QPointF(21, y + 2), QPointF(25, y - 2)}));
            });
        case ToolbarImage::NewTable:
            return drawn([](QPainter& p) {
                grid(p, QRectF(2, 6, 24, 20), 3, 4, QColor(200, 220, 245));
                p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(25, 17), QPointF(25, 29));
                p.drawLine(QPointF(19, 23), QPointF(31, 23));
            });
        case ToolbarImage::StandardTable:
            return drawn([](QPainter& p) {
                grid(p, QRectF(2, 6, 24, 20), 3, 4, QColor(200, 220, 245));
                p.setPen(QPen(kInk, 1));
                p.setBrush(kYellow);
                QPolygonF star;
                for (int i = 0; i < 10; ++i) {
                    const double a = 3.14159265 / 5 * i - 3.14159265 / 2;
                    const double r = i % 2 ? 3.0 : 7.0;
                    star << QPointF(24 + r * std::cos(a), 23 + r * std::sin(a));
                }
                p.drawPolygon(star);
            });
        case ToolbarImage::CopyTableColour:
        case ToolbarImage::CopyTableBlackAndWhite: {
            const bool colour = image == ToolbarImage::CopyTableColour;
            return drawn([colour](QPainter& p) {
                // Two sheets: the copy on top of its table.
                grid(p, QRectF(2, 2, 18, 16), 2, 3, colour ? QColor(200, 220, 245) : QColor(215, 215, 215));
                grid(p, QRectF(12, 13, 18, 16), 2, 3, colour ? QColor(250, 210, 120) : QColor(150, 150, 150));
            });
        }
        case ToolbarImage::ExportWorkbook:
            return drawn([](QPainter& p) {
                // A sheet of a workbook with an arrow out of it.
                grid(p, QRectF(2, 4, 20, 24), 3, 5, QColor(120, 200, 140));
                p.setPen(QPen(kGreen.darker(120), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.drawLine(QPointF(16, 16), QPointF(29, 16));
                p.drawPolyline(QPolygonF({QPointF(24, 11), QPointF(29, 16), QPointF(24, 21)}));
            });
        case ToolbarImage::TableSizeAndName:
            return drawn([](QPainter& p) {
                // A table with a label above and a handle that stretches it.
                grid(p, QRectF(2, 9, 20, 16), 3, 3, QColor(200, 220, 245));
                p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(3, 4), QPointF(17, 4));
                p.setPen(QPen(kBlue, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.drawLine(QPointF(20, 23), QPointF(29, 30));
                p.drawPolyline(QPolygonF({QPointF(23, 30), QPointF(29, 30), QPointF(29, 24)}));
            });
        case ToolbarImage::TableGraph:
        case ToolbarImage::TableGraphSettings: {
            const bool settings = image == ToolbarImage::TableGraphSettings;
            return drawn([settings](QPainter& p) {
                p.setPen(QPen(kInk, 1.4));
                p.drawLine(QPointF(3, 3), QPointF(3, 29));
                p.drawLine(QPointF(3, 29), QPointF(30, 29));
                p.setBrush(kBlue);
                p.drawRect(QRectF(7, 16, 5, 13));
                p.drawRect(QRectF(14, 9, 5, 20));
                p.drawRect(QRectF(21, 19, 5, 10));
                if (!settings) return;
                // A cog over the bars: the graph's settings.
                p.setBrush(kYellow);
                p.setPen(QPen(kInk, 1.2));
                QPolygonF cog;
                for (int i = 0; i < 16; ++i) {
                    const double a = 3.14159265 / 8 * i;
                    const double r = i % 2 ? 5.0 : 7.5;
                    cog << QPointF(23 + r * std::cos(a), 9 + r * std::sin(a));
                }
                p.drawPolygon(cog);
                p.setBrush(kPaper);
                p.drawEllipse(QPointF(23, 9), 2.2, 2.2);
            });
        }
        case ToolbarImage::Undo:
        case ToolbarImage::Redo: {
            const bool undo = image == ToolbarImage::Undo;
            return drawn([undo](QPainter& p) {
                if (!undo) {
                    p.translate(32, 0);
                    p.scale(-1, 1);
                }
                // A curved arrow turning back to the left.
                p.setPen(QPen(kBlue, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.setBrush(Qt::NoBrush);
                QPainterPath path;
                path.moveTo(7, 13);
                path.cubicTo(QPointF(14, 5), QPointF(29, 8), QPointF(27, 20));
                path.cubicTo(QPointF(26, 26), QPointF(20, 28), QPointF(15, 28));
                p.drawPath(path);
                p.setBrush(kBlue);
                p.setPen(QPen(kBlue, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.drawPolygon(QPolygonF({QPointF(3, 6), QPointF(12, 16), QPointF(3, 17)}));
            });
        }
    }
    return {};
}

}  // namespace phonotab
