// phonotab-app-pictures [FOLDER]: pictures of the main window for a look by
// eye. For Russian and English, the demo project is opened, its working folder
// moved to a scratch copy of the demo folder with a standard table and a
// picture added, and its first file made the current file; the window is
// written as PNG files in the folder (default "pictures"), with its title
// drawn above it: the first steps before a project main_<language>_start.png,
// the desktop's own text, list and question dialogs prompt_text_<language>.png,
// prompt_list_<language>.png and prompt_question_<language>.png,
// main_<language>_details.png, main_<language>_icons.png, the
// menus side by side menus_<language>.png, the about box about_<language>.png,
// the ranges window with a work range and zones ranges_<language>.png and its
// dialogs bounds_<language>.png and corrections_<language>.png, the parameters
// window after a calculation parameters_<language>.png with its percentile
// tooltip percentile_tooltip_<language>.png, the chooser
// chooser_<language>.png and the settings dialogs histogram_settings_<language>.png
// and calc_settings_<language>.png, the percentile dialog distribution_<language>.png;
// the periods and events of the monitoring station's day periods_<language>.png
// and its hour-of-day chart periods_hourly_<language>.png, the time plot with
// the nights and events shaded periods_plot_<language>.png;
// the report window's tabs report_<tab>_<language>.png and the first three pages
// of the demo project's report report_page<n>_<language>.png (when LibreOffice
// is installed to convert it to PDF), and the language dialog of a first start
// with English and with Russian selected, language_dialog_en.png and _ru.png.
// Runs on the offscreen platform unless another is set; settings and the user's data go to a temporary folder.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

#include "gui/acoustics/BoundsDialog.h"
#include "core/acoustics/ParameterTable.h"
#include "gui/acoustics/ParametersWindow.h"
#include "gui/acoustics/CalcSettingsDialog.h"
#include "gui/acoustics/DistributionHistogramDialog.h"
#include "gui/acoustics/HistogramSettingsDialog.h"
#include "gui/acoustics/ParameterChooserDialog.h"
#include "gui/acoustics/RangesWindow.h"
#include "gui/periods/PeriodsWindow.h"
#include "gui/plotwindows/HistogramPlotWindow.h"
#include "gui/plotwindows/TimePlotWindow.h"
#include "render/plots/FigurePainter.h"
#include "core/acoustics/CorrectionBands.h"
#include "gui/acoustics/CorrectionsDialog.h"
#include "gui/app/AboutDialog.h"
#include "gui/base/AppIcons.h"
#include "gui/app/Application.h"
#include "gui/app/MainWindow.h"
#include "gui/app/ChildWindowList.h"
#include "gui/app/MainCommands.h"
#include "core/measurement/TeleDesc.h"
#include "gui/project/ReferenceBookDialogs.h"
#include "core/project/SummaryColumns.h"
#include "gui/project/SummaryDialog.h"
#include "gui/project/TextChooserDialog.h"
#include "gui/tables/TableWindow.h"
#include "gui/project/ReportWindow.h"
#include "ReportPagePictures.h"
#include <QTabWidget>
#include "gui/tables/CellFormatDialog.h"
#include "gui/tables/FormulaDialog.h"
#include "gui/tables/GraphSettingsDialog.h"
#include "gui/tables/MacroEditorDialog.h"
#include "core/tables/TableGraphData.h"
#include "gui/tables/TableGridView.h"
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QTextCursor>
#include "core/tables/io/TableFile.h"
#include "gui/app/FolderView.h"
#include <QToolTip>
#include <QTimer>
#include <QMessageBox>
#include <QLabel>
#include <array>
#include "core/measurement/Catalogue.h"
#include "gui/base/DialogPrompts.h"
#include "gui/base/LanguageDialog.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/base/StringTable.h"

using namespace phonotab;

namespace {

// Declines every question and chooses the scratch folder when asked for a
// folder; messages go to stderr.
class QuietPrompts : public Prompts {
public:
    QString folder;
    QString text;  // the answer to a text question; none when empty
    int messages = 0;
    void showMessage(const QString& text) override {
        // The notice of too few samples for percentiles is no fault of the pictures.
        if (text != QString::fromStdString(tr(msg::InsufficientSamples))) ++messages;
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
    Answer ask(const QString&, bool) override { return Answer::No; }
    QString openFilePath(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFilePath(const QString&, const QString&, const QString&, const QString&,
                         OverwriteCheck = OverwriteCheck::ByDialog) override {
        return {};
    }
    QString chooseFolder(const QString&, const QString&) override { return folder; }
    std::optional<QString> askText(const QString&, const QString&) override {
        if (text.isEmpty()) return std::nullopt;
        return text;
    }
    int chooseItem(const QString&, const QStringList&) override { return -1; }
    int chooseLanguage(const std::vector<LanguageChoice>&, int) override { return -1; }
    void openExternally(const QString&) override {}
};

// The window as it looks on screen, with a title bar drawn above it (the
// offscreen platform draws no frames).
// A figure for print as the report and "-> BMP" draw it, at the print resolution.
bool saveFigure(const PlotFigure& figure, const QString& path) {
    return figureImage(figure, GraphFonts::figure()).save(path);
}

bool save(QWidget& w, const QString& path) {
    QApplication::processEvents();
    const QPixmap content = w.grab();
    const int bar = 26;
    QImage image(content.width(), content.height() + bar, QImage::Format_RGB32);
    image.fill(QColor(60, 70, 90));
    QPainter p(&image);
    p.drawPixmap(0, bar, content);
    p.drawPixmap(5, 5, w.windowIcon().pixmap(16, 16));
    p.setPen(Qt::white);
    p.drawText(QRect(28, 0, image.width() - 32, bar), Qt::AlignVCenter | Qt::AlignLeft, w.windowTitle());
    p.end();
    const bool ok = image.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toUtf8().constData());
    return ok;
}

// Every menu of the main window's menu bar, opened side by side.
bool saveMenus(QMainWindow& w, const QString& path) {
    std::vector<QPixmap> menus;
    int width = 0, height = 0;
    for (QAction* a : w.menuBar()->actions()) {
        QMenu* m = a->menu();
        if (!m) continue;
        m->ensurePolished();
        m->adjustSize();
        menus.push_back(m->grab());
        width += menus.back().width() + 8;
        height = std::max(height, menus.back().height());
    }
    QImage image(width + 8, height + 16, QImage::Format_RGB32);
    image.fill(QColor(230, 232, 236));
    QPainter p(&image);
    int x = 8;
    for (const QPixmap& m : menus) {
        p.drawPixmap(x, 8, m);
        x += m.width() + 8;
    }
    p.end();
    const bool ok = image.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toUtf8().constData());
    return ok;
}

// The desktop's own dialogs as they ask: a text, an item of a list and a
// question, each pictured while it waits and then cancelled.
bool promptPictures(QWidget& window, const QString& language, const QString& folder) {
    DialogPrompts prompts;
    prompts.setParent(&window);
    bool ok = true;
    auto pictureNextDialog = [&](const QString& name) {
        QTimer::singleShot(0, [&, name] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) {
                ok = false;
                return;
            }
            ok &= save(*dialog, folder + "/" + name + "_" + language + ".png");
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                box->buttons().back()->click();
            else if (auto* d = qobject_cast<QDialog*>(dialog))
                d->reject();
        });
    };
    pictureNextDialog(QStringLiteral("prompt_text"));
    (void)prompts.askText(uiText(text::EnterAxisCaption), QStringLiteral("dB"));
    pictureNextDialog(QStringLiteral("prompt_list"));
    (void)prompts.chooseItem(uiText(text::ChooseDataSource), {QStringLiteral("SLM101_street_day"), QStringLiteral("VM21_workshop")});
    pictureNextDialog(QStringLiteral("prompt_question"));
    (void)prompts.ask(uiText(text::ConfirmBindingRemoval), true);
    return ok;
}

// The ranges window on the current file with a work range, an exclusion zone
// and a correction zone, and the two dialogs of its menus.
bool rangePictures(ProjectSession& session, QWidget& window, const QString& language, const QString& folder) {
    DocumentController& doc = session.controller();
    if (!doc.currentFile()) return false;
    const CalcFile& cf = *doc.currentFile();
    const double end = cf.ranges.span().end;
    Corrections c{};
    c[static_cast<std::size_t>(correctionIndex(3, 0))] = 2.5;
    if (!doc.setWorkRange(cf.file.count / 10, cf.file.count * 9 / 10) || !doc.addExclusionZone(end * 0.3, end * 0.4) ||
        !doc.addCorrectionZone(end * 0.55, end * 0.7, c))
        return false;
    bool ok = true;
    RangesWindow ranges(session, &window);
    ranges.resize(620, ranges.sizeHint().height());
    ranges.show();
    ranges.slider(0)->setValue(ranges.slider(0)->maximum() / 5);
    ranges.slider(1)->setValue(ranges.slider(1)->maximum() / 2);
    ok &= save(ranges, folder + "/ranges_" + language + ".png");
    const CalcFile* f = session.currentFile();
    BoundsDialog bounds(f->ranges.zone(0).begin, f->ranges.zone(0).end, f->file.startTime, session.prompts(), &ranges);
    bounds.show();
    ok &= save(bounds, folder + "/bounds_" + language + ".png");
    std::array<QString, 3> headings;
    for (int family = 1; family <= 3; ++family)
        headings[static_cast<std::size_t>(family - 1)] = toQt(familyCaption(f->file.layout, family));
    CorrectionsDialog corrections(correctionBands(session.teleDescription(), f->file.layout), f->ranges.zone(1).corrections,
                                  session.prompts(), &ranges, headings);
    corrections.show();
    ok &= save(corrections, folder + "/corrections_" + language + ".png");
    return ok;
}

// The parameters window with calculated values (a tooltip's values drawn in
// the picture's title), the chooser and the two settings dialogs.
bool parameterPictures(ProjectSession& session, QWidget& window, const QString& language, const QString& folder) {
    bool ok = true;
    session.controller().calculateCurrentFile();
    ParametersWindow parameters(session, &window);
    parameters.resize(560, 300);
    parameters.show();
    const auto* model = parameters.model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString leq = model->data(model->index(row, kLeqColumn), Qt::ToolTipRole).toString();
        if (leq.size() > 5) {
            parameters.setWindowTitle(parameters.windowTitle() + " — " + leq.left(60));
            break;
        }
    }
    ok &= save(parameters, folder + "/parameters_" + language + ".png");
    // The percentile tooltip of the first row that has percentiles, as it shows.
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString table = model->data(model->index(row, kPercentileColumn), Qt::ToolTipRole).toString();
        if (!table.startsWith(QStringLiteral("<table"))) continue;
        QLabel tip(table);
        tip.setWindowTitle(model->headerData(kPercentileColumn, Qt::Horizontal, Qt::DisplayRole).toString());
        tip.setPalette(QToolTip::palette());
        tip.setAutoFillBackground(true);
        tip.setMargin(4);
        tip.adjustSize();
        tip.show();
        ok &= save(tip, folder + "/percentile_tooltip_" + language + ".png");
        break;
    }
    ChooserRequest request;
    request.sources.push_back({QStringLiteral("SLM101_street_day.bin"), model->naming(), false});
    ParameterChooserDialog chooser(request, session.settings(), &parameters);
    chooser.show();
    ok &= save(chooser, folder + "/chooser_" + language + ".png");
    HistogramSettingsDialog histogram(session.currentFile()->settings.histogram, session.prompts(), &parameters);
    histogram.show();
    ok &= save(histogram, folder + "/histogram_settings_" + language + ".png");
    CalcSettingsDialog settings(CalcOptions{}, session.prompts(), &parameters);
    settings.show();
    ok &= save(settings, folder + "/calc_settings_" + language + ".png");
    // "Посчитать процентили" over the current file, its level fields by name.
    DistributionHistogramDialog distribution(session.prompts(), session.settings(), session.teleDescription(), &parameters);
    distribution.show();
    distribution.addFile(QString::fromStdString(session.currentFile()->file.path));
    ok &= distribution.calculate();
    ok &= save(distribution, folder + "/distribution_" + language + ".png");
    return ok;
}

// The time plot of the current file with its zones, two markers and the
// readout under the pointer: on the clock axis, then in relative minutes.
bool plotPictures(ProjectSession& session, QWidget& window, const QString& language, const QString& folder) {
    DocumentController& doc = session.controller();
    if (!doc.currentFile()) return false;
    for (std::size_t i = 0; i < doc.currentFile()->entries.size() && i < 2; ++i)
        if (!doc.currentFile()->entries[i].flags.plot && !doc.toggleParameterFlag(i, kPlotColumn)) return false;
    session.settings().setInteger("Diagram", "LegendD", 0x3 | 0x20 | 0x4000 | 0x10000 | 0x40000);
    session.settings().setInteger("Diagram", "bATime", 0);
    TimePlotWindow plot(session, &window);
    plot.resize(900, 520);
    plot.show();
    QApplication::processEvents();
    GraphWindow& graph = *plot.graph();
    graph.redraw();
    const PaneScene* scene = graph.scene(0);
    if (!scene || scene->empty) return false;
    auto point = [&](double fraction) {
        const PlotRect& r = graph.scene(0)->plot;
        return QPoint(r.left + static_cast<int>(fraction * (r.width() - 1)), (r.top + r.bottom) / 2);
    };
    auto choose = [&](QPoint p, text::Id textId) {
        if (std::unique_ptr<QMenu> menu = plot.menuAt(p))
            for (QAction* a : menu->actions())
                if (a->text() == uiText(textId)) a->trigger();
    };
    auto hover = [&](QPoint p) {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), graph.mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&graph, &move);
    };
    choose(point(0.15), text::Marker1);
    choose(point(0.25), text::Marker2);
    hover(point(0.8));
    bool ok = save(plot, folder + "/time_plot_clock_" + language + ".png");
    ok &= saveFigure(plot.figure(), folder + "/figure_time_plot_" + language + ".png");
    for (text::Id item : {text::TimeFromRecordStart, text::TimeInMinutes}) {
        const std::unique_ptr<QMenu> menu = plot.propertiesMenu();
        for (QAction* a : menu->actions())
            if (a->text() == uiText(item)) a->trigger();
    }
    graph.redraw();
    hover(point(0.6));
    {
        const std::unique_ptr<QMenu> legend = plot.legendMenu();  // relative times in the readout
        for (QAction* a : legend->actions())
            if (a->text() == uiText(text::LegendClockTimes)) a->trigger();
    }
    ok &= save(plot, folder + "/time_plot_relative_" + language + ".png");
    plot.close();
    return ok;
}

// The histogram plot in its three kinds: the demo monitoring file's stored
// histogram (2 dB a bar), a histogram file with two histograms, a table's graph.
bool histogramPictures(ProjectSession& session, QuietPrompts& prompts, QWidget& window, const QString& language,
                       const QString& folder) {
    bool ok = true;
    if (!session.controller().openProjectEntry(5)) return false;
    {
        HistogramPlotWindow current(session, &window);
        current.show();
        QApplication::processEvents();
        prompts.text = QStringLiteral("2");
        {
            const std::unique_ptr<QMenu> menu = current.settingsMenu();
            menu->actions().back()->trigger();
        }
        prompts.text.clear();
        const BarChartScene& scene = current.chart()->scene();
        if (!scene.bars.empty()) {
            const SceneBar& b = scene.bars[scene.bars.size() / 2];
            QMouseEvent move(QEvent::MouseMove, QPointF((b.rect.left + b.rect.right) / 2, b.rect.bottom - 2),
                             QPointF(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(current.chart(), &move);
        }
        ok &= save(current, folder + "/histogram_plot_file_" + language + ".png");
        ok &= saveFigure(current.figure(), folder + "/figure_histogram_" + language + ".png");
    }
    {
        HistogramFile file;
        file.lower = 40, file.upper = 80, file.width = 5;
        file.series = {{"LAF", {0, 3, 12, 40, 55, 31, 9, 4, 1, 0}}, {"LAS", {0, 1, 10, 45, 60, 28, 8, 3, 0, 0}}};
        HistogramPlotWindow results(session, file, &window);
        results.setWindowTitle(results.windowTitle() + " - street_H.txt");
        results.show();
        ok &= save(results, folder + "/histogram_plot_results_" + language + ".png");
    }
    {
        BarChartInput table;
        table.captions = {"08:00", "10:00", "12:00", "14:00", "16:00", "18:00"};
        table.values = {58.2, 61.5, 63.9, 62.4, 65.1, 60.3};
        table.title = "LAeq, dB";
        table.barColour = rgbWord(0, 128, 64);
        HistogramPlotWindow graph(session, table, &window);
        graph.show();
        ok &= save(graph, folder + "/histogram_plot_table_" + language + ".png");
    }
    return ok;
}

// The demo project's standard tables in the table window, with a block of
// cells selected and, for the first, its cell menu beside it.
bool tablePictures(ProjectSession& session, Prompts& prompts, QWidget& window, const QString& language,
                   const QString& folder) {
    bool ok = true;
    const QString store = AppPaths::ofProgram().dataFolder + "/TblStore/";
    const std::pair<const char*, const char*> tables[] = {{"Шум в жилой комнате, день.tbl", "table_day"},
                                                          {"Октавный спектр, ночь.tbl", "table_octaves"}};
    for (const auto& [file, name] : tables) {
        ReportTable table;
        if (Status s = TableFile::Load(table, fromQt(store + QString::fromUtf8(file)), nullptr); !s) {
            std::fprintf(stderr, "table: %s\n", s.error().text().c_str());
            ok = false;
            continue;
        }
        table.selection = TableSelection::fromRect(CellRect{1, 2, 3, 4});
        auto* w = new TableWindow(session, std::move(table), &window);
        w->resize(980, 520);
        w->show();
        ok &= save(*w, folder + "/" + name + "_" + language + ".png");
        if (std::string(name) == "table_day") {
            std::unique_ptr<QMenu> menu = w->cellMenu({1, 2});
            menu->ensurePolished();
            menu->adjustSize();
            ok &= menu->grab().save(folder + "/table_cell_menu_" + language + ".png");
        }
        if (std::string(name) == "table_day") {
            w->table().selection = TableSelection::fromRect(CellRect{3, 1, 4, 4});
            FormulaDialog formula(QStringLiteral("10*LOG(LIN(B2, 1)^2-LIN(C2, 1)^2, 1)/20"), session.settings(),
                                  AppPaths::ofProgram().dataFolder + "/calc_help.txt", w);
            formula.show();
            ok &= save(formula, folder + "/table_formula_dialog_" + language + ".png");
            CellFormatDialog format(CommonCellFormat(w->table(), TableSelection::fromRect(CellRect{0, 0, 3, 2})),
                                    prompts, w);
            format.show();
            ok &= save(format, folder + "/table_format_dialog_" + language + ".png");
            MacroEditorDialog macro("/* ночь или день */ E2 = 30; E3 = 30 --- E2 = 40; E3 = 40", session.settings(), w);
            QTextCursor c = macro.edit->textCursor();
            c.setPosition(20);
            c.setPosition(31, QTextCursor::KeepAnchor);
            macro.edit->setTextCursor(c);
            macro.show();
            ok &= save(macro, folder + "/table_macro_editor_" + language + ".png");
            // The levels of the table as its graph: the band names under the bars.
            TableGraphSettings graph;
            graph.series[0].cellRange = "E2:E5";
            graph.series[0].fillColour = 0x00C08040;
            graph.xMarkingRange = "A2:A5";
            graph.yCaption = "дБА";
            w->table().graph = graph;
            GraphSettingsDialog settings(graph, w);
            settings.show();
            ok &= save(settings, folder + "/table_graph_settings_" + language + ".png");
            w->action(TableWindow::Command::ShowGraph)->trigger();
            for (HistogramPlotWindow* chart : w->findChildren<HistogramPlotWindow*>()) {
                chart->resize(640, 400);
                ok &= save(*chart, folder + "/table_graph_" + language + ".png");
                ok &= saveFigure(chart->figure(), folder + "/figure_table_graph_" + language + ".png");
            }
        }
        w->table().SetModified(false);
        w->close();
    }
    return ok;
}

// The report window on the demo project: each of its tabs.
bool reportPictures(ProjectSession& session, MainWindow& window, const QString& language, const QString& folder) {
    window.run(command::ShowReport);
    auto* report = dynamic_cast<ReportWindow*>(window.windows().find(WindowKind::Report));
    if (!report) return false;
    report->resize(900, 560);
    if (auto* number = qobject_cast<QLineEdit*>(report->textField(ReportText::ProtocolNumber)))
        number->setText(QStringLiteral("П-17/2026"));
    bool ok = true;
    const char* names[] = {"general", "conclusion", "illustrations"};
    for (int tab = 0; tab < report->tabs()->count(); ++tab) {
        report->tabs()->setCurrentIndex(tab);
        const QString name = tab < 3 ? QString::fromLatin1(names[tab]) : QStringLiteral("table%1").arg(tab - 2);
        ok &= save(*report, folder + "/report_" + name + "_" + language + ".png");
    }
    report->close();
    (void)session;
    return ok;
}

// The periods and events of the demo station's day of monitoring (the "eu"
// scheme, events of 70 dB and more): the periods' table, then the hourly tab.
bool periodsPictures(ProjectSession& session, QWidget& window, const QString& language, const QString& folder) {
    constexpr std::size_t kStationEntry = 4;
    if (!session.controller().openProjectEntry(kStationEntry) || !session.currentFile() ||
        session.currentFile()->entries.empty())
        return false;
    SettingsStore& settings = session.settings();
    settings.setText("PeriodsDlg", "Scheme", "eu");
    settings.setInteger("PeriodsDlg", "Events", 1);
    settings.setText("PeriodsDlg", "Threshold", "70");
    settings.setText("PeriodsDlg", "MinDuration", "10");
    settings.setText("PeriodsDlg", "MergeGap", "15");
    PeriodsWindow periods(session, session.currentFile()->entries[0].code, &window);
    periods.resize(1040, 600);
    periods.show();
    bool ok = periods.calculate();
    ok &= save(periods, folder + "/periods_" + language + ".png");
    periods.tabs()->setCurrentIndex(PeriodsWindow::HoursTab);
    ok &= save(periods, folder + "/periods_hourly_" + language + ".png");
    // The station's level with its nights and events shaded in the time plot.
    if (!session.currentFile()->entries[0].flags.plot && !session.controller().toggleParameterFlag(0, kPlotColumn))
        return false;
    TimePlotWindow plot(session, &window);
    plot.resize(900, 520);
    plot.show();
    QApplication::processEvents();
    periods.shadeInPlot()->setChecked(true);
    plot.shadeSpans(periods.spansInPlot());
    plot.graph()->redraw();
    ok &= save(plot, folder + "/periods_plot_" + language + ".png");
    plot.close();
    periods.close();
    return ok;
}

bool pictures(const QString& language, const QString& folder) {
    QTemporaryDir scratch;
    const QString settingsFile = scratch.path() + "/phonotab.ini";
    {
        SettingsStore s(settingsFile);
        s.setText("Init", "Language", language + ".txt");
        s.setInteger("Phonotab", "Left", 40);
        s.setInteger("Phonotab", "Top", 40);
        s.setInteger("Phonotab", "Right", 40 + 900);
        s.setInteger("Phonotab", "Bottom", 40 + 540);
    }
    // A copy of the demo folder with a standard table and a picture beside the data.
    const AppPaths paths{AppPaths::ofProgram().dataFolder, scratch.path() + "/user"};
    const QString work = scratch.path() + "/demo";
    QDir().mkpath(work);
    const QDir demo(paths.dataFolder + "/demo");
    for (const QString& name : demo.entryList(QDir::Files)) QFile::copy(demo.filePath(name), work + "/" + name);
    const QDir store(paths.dataFolder + "/TblStore");
    for (const QString& name : store.entryList({"*.tbl"}, QDir::Files)) QFile::copy(store.filePath(name), work + "/" + name);
    QPixmap picture(320, 200);
    picture.fill(Qt::white);
    QPainter(&picture).drawPixmap(110, 50, applicationIcon().pixmap(96, 96));
    picture.save(work + "/scheme.bmp");
    picture.save(work + "/scheme.png");
    // What the program writes besides: a plot, a workbook and a report (empty here: only their icons show).
    for (const char* name : {"/plot.svg", "/tables.xlsx", "/report.docx"}) {
        QFile empty(work + name);
        (void)empty.open(QIODevice::WriteOnly);
    }

    QuietPrompts prompts;
    prompts.folder = work;
    Application::Options options;
    options.settingsFile = settingsFile;
    options.paths = paths;
    options.prompts = &prompts;
    Application app(options);
    app.initInstance();
    MainWindow& window = app.mainWindow();
    window.show();
    ProjectSession& session = app.session();
    // Before any project: the first steps above the folder view.
    bool ok = save(window, folder + "/main_" + language + "_start.png");
    ok &= promptPictures(window, language, folder);
    if (!session.loadProject(paths.dataFolder + "/demo/demo.pht") || !session.controller().changeWorkingFolder() ||
        !session.controller().openProjectEntry(0)) {
        std::fprintf(stderr, "the demo project could not be opened\n");
        return false;
    }
    window.folderView().refresh();
    window.folderView().setStyle(FolderView::Style::Details);
    ok &= save(window, folder + "/main_" + language + "_details.png");
    window.folderView().setStyle(FolderView::Style::Icons);
    ok &= save(window, folder + "/main_" + language + "_icons.png");
    ok &= saveMenus(window, folder + "/menus_" + language + ".png");
    window.run(command::ShowProjectFiles);
    if (ChildWindowInterface* files = window.windows().find(WindowKind::ProjectFiles)) {
        QWidget* w = files->asWidget();
        w->resize(640, 240);
        ok &= save(*w, folder + "/project_files_" + language + ".png");
    }
    {
        ReferenceBookListDialog books(session, &window);
        books.show();
        ok &= save(books, folder + "/reference_books_" + language + ".png");
        const std::string first = books.model()->bookAt(1);
        ReferenceBookDialog records(session, first, &window);
        records.resize(560, 300);
        records.show();
        ok &= save(records, folder + "/reference_book_" + language + ".png");
        TextChooserDialog instruments(session, TextChooserDialog::Kind::Instruments, &window);
        instruments.show();
        ok &= save(instruments, folder + "/instrument_chooser_" + language + ".png");
        TextChooserDialog documents(session, TextChooserDialog::Kind::Documents, &window);
        documents.show();
        ok &= save(documents, folder + "/document_chooser_" + language + ".png");
    }
    if (Result<SummaryColumnModel> model = SummaryColumnModel::forType(session.teleDescription(), 60101)) {
        SettingsStore settings(settingsFile);
        SummaryDialog summary(*model, settings, ReportConfig{}, &window);
        summary.addAllColumns();
        summary.show();
        ok &= save(summary, folder + "/summary_" + language + ".png");
    }
    AboutDialog about(&window);
    about.show();
    ok &= save(about, folder + "/about_" + language + ".png");
    about.hide();
    ok &= rangePictures(session, window, language, folder);
    ok &= parameterPictures(session, window, language, folder);
    ok &= plotPictures(session, window, language, folder);
    ok &= histogramPictures(session, prompts, window, language, folder);
    ok &= tablePictures(session, prompts, window, language, folder);
    ok &= reportPictures(session, window, language, folder);
    ok &= reportPagePictures(language, folder);
    ok &= periodsPictures(session, window, language, folder);
    window.close();
    setCurrentStrings(StringTable::russian());
    return ok && prompts.messages == 0;
}

// The first start's language dialog with English, then Russian selected: its
// buttons speak the selected language.
bool languageDialogPicture(const QString& folder) {
    const std::vector<LanguageChoice> choices = listLanguageTables(fromQt(AppPaths::ofProgram().languages()));
    bool ok = true;
    for (const char* language : {"en", "ru"}) {
        int selected = -1;
        for (std::size_t i = 0; i < choices.size(); ++i)
            if (choices[i].fileName == std::string(language) + ".txt") selected = static_cast<int>(i);
        LanguageDialog dialog(choices, selected);
        dialog.show();
        ok &= save(dialog, folder + "/language_dialog_" + language + ".png");
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("pictures");
    QDir().mkpath(folder);
    const QString out = QDir(folder).absolutePath();
    bool ok = true;
    for (const char* language : {"ru", "en"}) ok &= pictures(language, out);
    ok &= languageDialogPicture(out);
    return ok ? 0 : 1;
}
