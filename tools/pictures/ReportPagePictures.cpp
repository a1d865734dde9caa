#include "ReportPagePictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

#include "gui/base/AppPaths.h"
#include "gui/base/UiText.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectPaths.h"

namespace phonotab {

namespace {

constexpr int kPages = 3;
constexpr int kPageDpi = 80;

bool runTool(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), p.readAllStandardError().constData());
        return false;
    }
    return true;
}

}  // namespace

bool reportPagePictures(const QString& language, const QString& folder) {
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString raster = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (office.isEmpty() || raster.isEmpty()) {
        std::fprintf(stderr, "no soffice or pdftoppm: the report's page pictures are skipped\n");
        return true;
    }
    const QString data = AppPaths::ofProgram().dataFolder;
    QTemporaryDir scratch;
    if (!scratch.isValid()) return false;
    const QString work = scratch.filePath(QStringLiteral("demo"));
    QDir().mkpath(work);
    for (const QString& name : QDir(data + "/demo").entryList(QDir::Files))
        QFile::copy(data + "/demo/" + name, work + "/" + name);
    // The copy is the project's working folder: the calculation writes there.
    const std::string project = fromQt(work + "/demo.pht");
    Result<ProjectState> state = LoadProject(project, ProjectState());
    if (!state) return false;
    state->workingFolder = toStoredPath(project.substr(0, project.rfind('/'))) + "\\";
    if (!SaveProject(*state, project).ok()) return false;

    // The PDF as the batch tool writes it for a client: recalculated, then
    // converted by LibreOffice.
    const QString cli = QCoreApplication::applicationDirPath() + "/phonotab-cli";
    const QString pdf = scratch.filePath(QStringLiteral("report.pdf"));
    // The batch tool in the page's language, so captions and numbers read as its client would see them.
    const QString languageName = language == QStringLiteral("ru") ? QStringLiteral("Русский") : QStringLiteral("English");
    if (!runTool(cli, {"--lang", languageName, "report", "--calc", toQt(project), "--template",
                       data + "/report/template_" + language + ".docx", "-o", pdf}) ||
        !runTool(raster, {"-png", "-r", QString::number(kPageDpi), "-f", "1", "-l", QString::number(kPages), pdf,
                          scratch.filePath(QStringLiteral("page"))}))
        return false;
    bool ok = true;
    for (int page = 1; page <= kPages; ++page) {
        const QString target = QStringLiteral("%1/report_page%2_%3.png").arg(folder).arg(page).arg(language);
        QFile::remove(target);
        // pdftoppm numbers the pages with as many digits as the last page has.
        QString source = scratch.filePath(QStringLiteral("page-%1.png").arg(page));
        if (!QFile::exists(source)) source = scratch.filePath(QStringLiteral("page-%1.png").arg(page, 2, 10, QChar('0')));
        if (!QFile::exists(source)) continue;  // a report shorter than that
        ok &= QFile::copy(source, target);
    }
    return ok;
}

}  // namespace phonotab
