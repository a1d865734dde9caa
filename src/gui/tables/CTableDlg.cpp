#include "tables/CTableDlg.h"

#include <QCloseEvent>

#include "app/ProjectSession.h"
#include "app/UiText.h"
#include "tables/io/TableFile.h"

namespace phonotab {

namespace {
// The title of a table that has no name yet.
const QString kProvisionalTitle = QStringLiteral("Table");
}  // namespace

CTableDlg::CTableDlg(ProjectSession& session, ReportTable table, QWidget* parent, TableWindowForm form)
    : QWidget(parent, form == TableWindowForm::Embedded ? Qt::Widget : Qt::Window),
      session_(session),
      table_(std::move(table)),
      form_(form) {
    if (form_ == TableWindowForm::FreeStanding) setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(table_.name.empty() ? kProvisionalTitle : toQt(table_.name));
    resize(400, 400);
}

bool CTableDlg::querySave(bool mayCancel) {
    if (!table_.modified()) return true;
    const auto answer = session_.prompts().ask(messageText(Message(msg::TableModified, table_.name)), mayCancel);
    if (answer == Prompts::Answer::Cancel) return false;
    if (answer == Prompts::Answer::Yes) {
        if (Status s = TableFile::Save(table_, table_.filePath); !s) {
            session_.prompts().showMessage(s.error());
            if (mayCancel) return false;
        }
    }
    table_.SetModified(false);
    return true;
}

void CTableDlg::closeWithProject() { querySave(false); }

void CTableDlg::closeEvent(QCloseEvent* e) {
    if (querySave(true))
        e->accept();
    else
        e->ignore();
}

}  // namespace phonotab
