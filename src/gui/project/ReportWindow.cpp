#include "gui/project/ReportWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/base/AppIcons.h"
#include "gui/base/EditHistoryActions.h"
#include "gui/base/LongTask.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "render/pictures/ReportPictures.h"
#include "core/project/ProjectPaths.h"
#include "core/project/ProjectTableSources.h"
#include "core/project/ReportJob.h"
#include "core/project/ReportPdf.h"
#include "gui/project/ReportIllustrationList.h"
#include "core/project/ReportTableList.h"
#include "gui/project/TextChooserDialog.h"
#include "gui/tables/TableWindow.h"
#include "core/tables/io/TableFile.h"

namespace phonotab {

namespace {
// The title page's fields in their order on the page: label text and the report text they edit.
struct TitleField {
    text::Id label;
    ReportText text;
    bool multiLine;
};
constexpr TitleField kTitleFields[] = {
    {text::ProtocolNumber, ReportText::ProtocolNumber, false},
    {text::MeasurementPlace, ReportText::MeasurementPlace, false},
    {text::MeasurementDate, ReportText::MeasurementDate, false},
    {text::MeasurementInstrument, ReportText::Instrument, false},
    {text::MeasuringOrganisation, ReportText::Organisation, false},
    {text::MeasuringPerson, ReportText::MeasuredBy, false},
    {text::SiteRepresentative, ReportText::ObjectRepresentative, false},
    {text::NormativeDocuments, ReportText::NormativeDocuments, true},
    {text::AdditionalInformation, ReportText::AdditionalInformation, true},
};
const QString kReportWindowSection = QStringLiteral("Report");
const QString kDecimalCommaKey = QStringLiteral("DecimalComma");

QString numbered(text::Id text, std::size_t n) { return uiText(text).replace(QStringLiteral("%d"), QString::number(n)); }

// The report's icon with a red "PDF" band across its foot, for the command
// that writes the report as PDF.
QIcon pdfReportIcon() {
    const QIcon report = toolbarIcon(ToolbarImage::Report);
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pm = report.pixmap(size, size);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF band(0, size * 0.58, size, size * 0.42);
        p.fillRect(band, QColor(200, 40, 40));
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(std::max(6, static_cast<int>(size * 0.36)));
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(band, Qt::AlignCenter, QStringLiteral("PDF"));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
}  // namespace

ReportWindow::ReportWindow(ProjectSession& session, QWidget* parent)
    : ChildWindow(session, WindowKind::Report, uiText(text::Report), QStringLiteral("ReportDlg"), parent) {
    makeDocumentWindow();
    auto* layout = new QVBoxLayout(this);
    toolbar_ = new QToolBar(this);
    saveProject_ = toolbar_->addAction(toolbarIcon(ToolbarImage::SaveProject), uiText(text::SaveProject));
    toolbar_->addSeparator();
    addTable_ = toolbar_->addAction(toolbarIcon(ToolbarImage::StandardTable), uiText(text::AddTableToReport));
    toolbar_->addSeparator();
    writeReport_ = toolbar_->addAction(toolbarIcon(ToolbarImage::Report), uiText(text::WriteReport));
    writePdfReport_ = toolbar_->addAction(pdfReportIcon(), uiText(text::SaveReportAsPdf));
    connect(saveProject_, &QAction::triggered, this, [this] {
        putIntoProject();
        this->session().controller().saveProject();
    });
    connect(addTable_, &QAction::triggered, this, &ReportWindow::addTable);
    connect(writeReport_, &QAction::triggered, this, &ReportWindow::writeReport);
    connect(writePdfReport_, &QAction::triggered, this, &ReportWindow::writePdfReport);
    // The numbers' decimal separator in the document, as the user last chose it
    // (a comma in Russian until then).
    toolbar_->addSeparator();
    decimalComma_ = new QCheckBox(uiText(text::DecimalCommaOption), toolbar_);
    decimalComma_->setToolTip(uiText(text::DecimalCommaHint));
    decimalComma_->setChecked(
        session.settings().integer(kReportWindowSection, kDecimalCommaKey,
                                   decimalCommaByDefault(currentStrings().languageName()) ? 1 : 0) != 0);
    connect(decimalComma_, &QCheckBox::toggled, this, [this](bool on) {
        this->session().settings().setInteger(kReportWindowSection, kDecimalCommaKey, on ? 1 : 0);
    });
    toolbar_->addWidget(decimalComma_);
    layout->addWidget(toolbar_);

    tabs_ = new QTabWidget(this);
    tabs_->addTab(buildTitlePage(), uiText(text::ReportGeneral));
    tabs_->addTab(buildConclusionPage(), uiText(text::ReportConclusion));
    illustrations_ = new ReportIllustrationList(session, this);
    tabs_->addTab(illustrations_, uiText(text::ReportIllustrations));
    // The project's undo on the report's own pages; a table's tab keeps the
    // table's undo of its cells.
    for (int page = 0; page < FixedTabs; ++page) addEditHistoryActions(tabs_->widget(page), session);
    tabs_->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabs_->tabBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int tab = tabs_->tabBar()->tabAt(at);
        if (tab >= FixedTabs) tableTabMenu(static_cast<std::size_t>(tab - FixedTabs))->exec(tabs_->tabBar()->mapToGlobal(at));
    });
    layout->addWidget(tabs_, 1);
    resize(760, 560);
    takeFromProject();
}

QWidget* ReportWindow::buildTitlePage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    for (const TitleField& f : kTitleFields) {
        QWidget* field = f.multiLine ? static_cast<QWidget*>(new QPlainTextEdit(page)) : new QLineEdit(page);
        fields_[static_cast<std::size_t>(f.text)] = field;
        QWidget* row = field;
        auto withButtons = [&](std::initializer_list<QPushButton*> buttons) {
            auto* box = new QWidget(page);
            auto* h = new QHBoxLayout(box);
            h->setContentsMargins(0, 0, 0, 0);
            h->addWidget(field, 1);
            for (QPushButton* b : buttons) h->addWidget(b, 0, Qt::AlignTop);
            row = box;
        };
        if (f.text == ReportText::MeasurementDate) {
            auto* today = new QPushButton(uiText(text::Today), page);
            connect(today, &QPushButton::clicked, this, [this] {
                setText(ReportText::MeasurementDate, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
            });
            withButtons({today});
        } else if (f.text == ReportText::Instrument) {
            auto* choose = new QPushButton(uiText(text::Choose), page);
            connect(choose, &QPushButton::clicked, this, [this] {
                TextChooserDialog chooser(session(), TextChooserDialog::Kind::Instruments, this);
                if (chooser.exec() == QDialog::Accepted && !chooser.chosen().isEmpty())
                    setText(ReportText::Instrument, chooser.chosen());
            });
            withButtons({choose});
        } else if (f.text == ReportText::NormativeDocuments) {
            auto* add = new QPushButton(uiText(text::Add), page);
            auto* clear = new QPushButton(uiText(text::Clear), page);
            connect(add, &QPushButton::clicked, this, [this] {
                TextChooserDialog chooser(session(), TextChooserDialog::Kind::Documents, this);
                if (chooser.exec() != QDialog::Accepted || chooser.chosen().isEmpty()) return;
                const QString before = text(ReportText::NormativeDocuments);
                setText(ReportText::NormativeDocuments,
                        before.isEmpty() ? chooser.chosen() : before + "\n" + chooser.chosen());
            });
            connect(clear, &QPushButton::clicked, this, [this] { setText(ReportText::NormativeDocuments, QString()); });
            withButtons({add, clear});
        }
        form->addRow(uiText(f.label), row);
    }
    return page;
}

QWidget* ReportWindow::buildConclusionPage() {
    auto* edit = new QPlainTextEdit(this);
    fields_[static_cast<std::size_t>(ReportText::Conclusion)] = edit;
    return edit;
}

void ReportWindow::setText(ReportText t, const QString& value) {
    QWidget* w = textField(t);
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        line->setText(value);
        line->setCursorPosition(0);  // a long text shows from its start
    }
    if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) multi->setPlainText(value);
}

QString ReportWindow::text(ReportText t) const {
    QWidget* w = textField(t);
    if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text();
    if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) return multi->toPlainText();
    return {};
}

// The texts the user edited go into the project (the project is then
// modified); a field the user left alone never writes over a text that
// changed in the project meanwhile.
void ReportWindow::putIntoProject() {
    std::vector<std::pair<std::size_t, std::string>> edited;
    for (std::size_t i = 0; i < taken_.size(); ++i)
        if (std::string now = fromQt(text(static_cast<ReportText>(i))); now != taken_[i])
            edited.emplace_back(i, std::move(now));
    if (edited.empty()) return;
    (void)session().controller().setReportTexts(edited);
    for (const auto& [i, t] : edited) taken_[i] = t;
}

// A field shows the project's text when that text changed since the field
// took it (a project loaded, say); a refresh that leaves the text alone (after
// a recalculation) keeps what the user is typing.
void ReportWindow::takeFromProject() {
    const auto& texts = session().state().reportTexts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (texts[i] != taken_[i]) setText(static_cast<ReportText>(i), toQt(texts[i]));
    taken_ = texts;
    illustrations_->rebuild();
    rebuildTables();
}

// Each report table in a table window of its own tab; its edits go back into the project.
void ReportWindow::rebuildTables() {
    const int current = tabs_->currentIndex();
    while (tabs_->count() > FixedTabs) {
        QWidget* w = tabs_->widget(FixedTabs);
        tabs_->removeTab(FixedTabs);
        delete w;
    }
    tables_.clear();
    const auto& tables = session().state().tables;
    for (std::size_t k = 0; k < tables.size(); ++k) {
        auto* window = new TableWindow(session(), tables[k].table, tabs_, TableWindowForm::Embedded);
        connect(window, &TableWindow::tableChanged, this, [this, window, k] {
            (void)session().controller().replaceReportTable(k, window->table());
        });
        tables_.push_back(window);
        tabs_->addTab(window, numbered(text::ReportTableTab, k + 1));
    }
    if (current >= 0 && current < tabs_->count()) tabs_->setCurrentIndex(current);
}

std::unique_ptr<QMenu> ReportWindow::tableTabMenu(std::size_t k) {
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(uiText(text::MoveTableLeft), this, [this, k] { moveTable(k, -1); })->setEnabled(k > 0);
    menu->addAction(uiText(text::MoveTableRight), this, [this, k] { moveTable(k, +1); })->setEnabled(k + 1 < tables_.size());
    menu->addAction(uiText(text::ReloadTable), this, [this, k] { reloadTable(k); });
    menu->addAction(uiText(text::RemoveTable), this, [this, k] { removeTable(k); });
    return menu;
}

void ReportWindow::moveTable(std::size_t k, int direction) {
    const std::size_t other = direction < 0 ? k - 1 : k + 1;
    if (direction < 0 && k == 0) return;
    (void)session().controller().swapReportTables(k, other);
    rebuildTables();
    illustrations_->rebuild();
    tabs_->setCurrentIndex(FixedTabs + static_cast<int>(other));
}

// A table that came with the project has no file of its own: the user names one.
void ReportWindow::reloadTable(std::size_t k) {
    const auto& tables = session().state().tables;
    if (k >= tables.size()) return;
    QString path = toQt(tables[k].table.filePath);
    if (path.isEmpty() || !QFileInfo::exists(path))
        path = session().prompts().openFilePath(uiText(text::ReloadTable), uiText(text::ChooseTableFilter), session().localWorkingFolder());
    if (path.isEmpty()) return;
    ReportTable table;
    const ProjectTableSources sources(session().state().files, &session().controller().teleDescription());
    if (Status s = TableFile::Load(table, fromQt(path), &sources); !s) {
        session().prompts().showMessage(s.error());
        return;
    }
    table.filePath = fromQt(path);
    (void)session().controller().replaceReportTable(k, std::move(table));
    rebuildTables();
}

void ReportWindow::removeTable(std::size_t k) {
    if (k >= session().state().tables.size()) return;
    // Its graph's illustrations go with it: the user says so first.
    if (!IllustrationsOfTable(session().state(), k).empty() &&
        session().prompts().ask(uiText(text::RemoveTableGraphs), false) != Prompts::Answer::Yes)
        return;
    (void)session().controller().removeReportTable(k);
    rebuildTables();
    illustrations_->rebuild();
}

// "Добавить таблицу в отчет": a standard table (the user's store and the
// shipped one) or a table of the working folder.
void ReportWindow::addTable() {
    QStringList paths, names;
    const QString userStore = session().paths().tableStore();
    const QString shippedStore = session().paths().dataFolder + "/TblStore";
    QStringList standardNames;  // a standard table is listed once: the user's copy wins over the shipped one
    for (const QString& folder : {userStore, shippedStore, session().localWorkingFolder()}) {
        if (folder.isEmpty()) continue;
        const QDir dir(folder);
        for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.tbl")}, QDir::Files, QDir::Name)) {
            if (folder == shippedStore && standardNames.contains(f.fileName())) continue;
            if (folder == userStore) standardNames << f.fileName();
            paths << f.absoluteFilePath();
            names << f.fileName();
        }
    }
    const int chosen = session().prompts().chooseItem(uiText(msg::ChooseTable), names);
    if (chosen < 0 || chosen >= paths.size()) return;
    ReportTable table;
    const ProjectTableSources sources(session().state().files, &session().controller().teleDescription());
    if (Status s = TableFile::Load(table, fromQt(paths[chosen]), &sources); !s) {
        session().prompts().showMessage(s.error());
        return;
    }
    table.filePath = fromQt(paths[chosen]);
    (void)session().controller().addReportTable(std::move(table));
    rebuildTables();
    tabs_->setCurrentIndex(tabs_->count() - 1);
}

QString ReportWindow::chooseTemplate(const QString& title) {
    SettingsStore& settings = session().settings();
    // The last one chosen, the shipped one in the interface's language at first.
    const QString last = settings.text(kReportWindowSection, QStringLiteral("Template"));
    const QString proposed =
        last.isEmpty() ? toQt(defaultReportTemplate(fromQt(session().paths().dataFolder), currentStrings().languageName()))
                       : last;
    const QString templatePath = session().prompts().openFilePath(title, uiText(text::TemplateFilter), proposed);
    if (!templatePath.isEmpty()) settings.setText(kReportWindowSection, QStringLiteral("Template"), templatePath);
    return templatePath;
}

QString ReportWindow::suggestedOutput(const QString& suffix) {
    const QString project = toQt(session().controller().projectPath());
    return project.isEmpty() ? QDir(session().localWorkingFolder()).filePath(QStringLiteral("report.") + suffix)
                             : QFileInfo(project).absolutePath() + "/" + QFileInfo(project).completeBaseName() + "." + suffix;
}

bool ReportWindow::writeReportWith(const QString& title, const QString& output, const ReportWriting& writing) {
    Prompts& prompts = session().prompts();
    // Tables and graphs are drawn here, on the interface thread; the report is written off it.
    const ProjectBookEntries books(session().controller().referenceBooks());
    const ProjectTableSources sources(session().state().files, &session().controller().teleDescription());
    const ReportJob job(session().state(), TableEnvironment{&books, &sources}, fromQt(session().localWorkingFolder()),
                        &reportPictureSource);
    ReportOptions options;
    options.decimalComma = decimalComma_->isChecked();
    std::optional<Result<ReportOutcome>> outcome;
    runLongTask(this, title, [&](const Progress& progress) { outcome.emplace(writing(job, progress, options)); });
    if (!outcome || !*outcome) {
        if (outcome) prompts.showMessage((*outcome).error());
        return false;
    }
    if (!(*outcome)->skipped.empty()) {
        QStringList lines{uiText(text::ReportSkippedHeading)};
        for (const ReportSkip& s : (*outcome)->skipped) lines << toQt(s.placeholder) + ": " + messageText(s.reason);
        prompts.showMessage(lines.join('\n'));
    }
    session().announce(messageText(Message(text::ReportWritten, fromQt(QDir::toNativeSeparators(output)))));
    prompts.openExternally(output);
    return true;
}

bool ReportWindow::writeReport() {
    putIntoProject();
    const QString templatePath = chooseTemplate(uiText(text::WriteReport));
    if (templatePath.isEmpty()) return false;
    // The report goes beside the project, named after it.
    const QString output = session().prompts().saveFilePath(uiText(text::WriteReport), uiText(text::DocumentFilter),
                                                            suggestedOutput(QStringLiteral("docx")), QStringLiteral("docx"));
    if (output.isEmpty()) return false;
    return writeReportWith(uiText(text::WriteReport), output, [&](const ReportJob& job, const Progress& progress, const ReportOptions& options) {
        return job.write(fromQt(templatePath), fromQt(output), progress, options);
    });
}

bool ReportWindow::writePdfReport() {
    putIntoProject();
    Prompts& prompts = session().prompts();
    // Without LibreOffice no question is worth asking.
    if (Result<std::string> converter = findPdfConverter(); !converter) {
        prompts.showMessage(converter.error());
        return false;
    }
    const QString title = uiText(text::SaveReportAsPdf);
    const QString templatePath = chooseTemplate(title);
    if (templatePath.isEmpty()) return false;
    const QString output =
        prompts.saveFilePath(title, uiText(text::PdfFilter), suggestedOutput(QStringLiteral("pdf")), QStringLiteral("pdf"));
    if (output.isEmpty()) return false;
    return writeReportWith(title, output, [&](const ReportJob& job, const Progress& progress, const ReportOptions& options) {
        return writeReportAsPdf([&](const std::string& docx, const Progress& part) {
            return job.write(fromQt(templatePath), docx, part, options);
        }, fromQt(output), progress);
    });
}

}  // namespace phonotab
