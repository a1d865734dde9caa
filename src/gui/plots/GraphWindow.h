// The drawing window of the graph engine: a widget that shows the panes of its
// pane set stacked one above the other, each with grid, labels, titles, zones,
// curves, two markers, two readout fields and its buttons (clear markers,
// vector export, text export). The picture is composed off screen, so that it
// can be saved as a bitmap or copied to the clipboard exactly as shown.
//
// Mouse: the readouts follow the pointer; a click in a plot sets marker 1
// (with Shift marker 2); dragging scrolls; the wheel zooms around the pointer
// (with Shift it scrolls). Keys: arrows scroll and zoom, Page Up/Down scroll by
// a window, Home shows everything; Ctrl or Alt with Print Screen saves the
// picture as a bitmap, with Insert copies it to the clipboard.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/base/CalendarTime.h"
#include "core/base/Message.h"
#include "core/base/Result.h"
#include "core/base/TextCodec.h"
#include "core/plots/GraphColours.h"
#include "render/plots/GraphFonts.h"
#include "core/plots/PaneScene.h"
#include "core/plots/PaneSet.h"
#include "core/plots/Readout.h"

namespace phonotab {

class GraphControl;
class GraphButton;
class ReadoutField;
class QtTextMetrics;

class GraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit GraphWindow(QWidget* parent = nullptr);
    ~GraphWindow() override;

    // The panes, for series, mapping and the visible range. Panes themselves are
    // made through addPane, which gives them their readout fields and buttons.
    PaneSet& paneSet() { return panes_; }
    const PaneSet& paneSet() const { return panes_; }
    // The pane with this identifier, made (with its controls) when missing.
    GraphPane& addPane(int id);

    // After changing panes, series, zones or the visible range: lay out and draw
    // everything again at the next paint.
    void invalidate();
    bool needsRedraw() const { return sceneDirty_; }

    void setReadoutMode(ReadoutMode mode);
    ReadoutMode readoutMode() const { return readoutMode_; }
    ColourTable& colourTable() { return colours_; }
    const GraphFonts& fonts() const { return fonts_; }

    // Where exports under automatic names go (the current folder by default).
    void setExportFolder(const QString& folder) { exportFolder_ = folder; }
    void setTextEncoding(TextEncoding e) { encoding_ = e; }

    // Asks for a file name to save under (filter in Qt's form, suggested path);
    // an empty answer cancels. The default shows a save dialog.
    using FileChooser = std::function<QString(const QString& filter, const QString& suggested)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    // Shows a failure; the default is a message box titled "Phonotab".
    void setMessageSink(std::function<void(const Message&)> sink) { messageSink_ = std::move(sink); }
    // The local time that automatic names are made of.
    void setClock(std::function<CalendarTime()> clock) { clock_ = std::move(clock); }

    // Exports of a pane and of the whole picture. The value is the written file,
    // empty when the user cancelled (then nothing is written); an existing file
    // is replaced only when the user chose its name, and only once the new one
    // is complete.
    Result<QString> exportVector(int paneId);
    Result<QString> exportText(int paneId);
    Result<QString> saveBitmap();
    void copyToClipboard();

    // Lays out and draws every pane on the off-screen surface now (what a paint
    // does when something changed).
    void redraw();
    const QImage& surface() const { return surface_; }
    // The picture as shown: panes, controls and markers.
    QImage renderImage();
    // The scene of a pane's last draw (nullptr before the first).
    const PaneScene* scene(int paneId) const;
    // The pane area (plot, labels and titles, without the controls) of a pane.
    QRect paneArea(int paneId) const;
    // The texts of a pane's x and y readout fields.
    std::pair<QString, QString> readouts(int paneId) const;

    // For the controls.
    void registerControl(GraphControl* c);
    void unregisterControl(GraphControl* c);

signals:
    // A marker was set or the markers were cleared.
    void markersChanged(int paneId);
    // Scrolling or zooming changed the visible index range.
    void visibleRangeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct PaneView;

    PaneView* viewAt(QPoint p);
    PaneView* view(int paneId);
    const PaneView* view(int paneId) const;
    void layoutPanes();
    void paintOverlay(QPainter& painter);
    void updateReadouts();
    void hoverControls(QPoint p);
    std::optional<GraphMarker> cursorValue(const PaneView& v) const;
    void setMarkerAt(PaneView& v, QPoint p, int which);
    void scrolled();
    void reportFailure(const Message& m);
    QString targetFor(const GraphPane* pane, const QString& extension, const QString& filter);
    Result<QString> saveImage(const QImage& image, const QString& path);

    PaneSet panes_;
    std::vector<GraphControl*> controls_;  // before the views: outlives the controls they hold
    std::vector<std::unique_ptr<PaneView>> views_;
    GraphFonts fonts_;
    std::unique_ptr<QtTextMetrics> metrics_;
    ColourTable colours_;
    QImage surface_;
    bool sceneDirty_ = true;
    ReadoutMode readoutMode_ = ReadoutMode::Cursor;
    QString exportFolder_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    FileChooser chooser_;
    std::function<void(const Message&)> messageSink_;
    std::function<CalendarTime()> clock_;

    QPoint pointer_{-1, -1};
    GraphControl* hovered_ = nullptr;
    GraphControl* pressed_ = nullptr;
    struct Drag {
        QPoint start;
        IndexRange range;
        bool moved = false;
        PaneView* view = nullptr;
    };
    std::optional<Drag> drag_;
};

}  // namespace phonotab
