#include "app/LongTask.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

#include "app/UiText.h"

namespace phonotab {

namespace {
constexpr int kQuietMs = 400;  // short work ends before any dialog shows
constexpr int kCancelText = 5530;
}  // namespace

bool detail::runInBackground(QWidget* parent, const QString& label, const std::shared_ptr<TaskControl>& control,
                             std::function<void()> job, CancelMode mode) {
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(std::move(job)));

    // First a short wait without user input, so that a quick job neither
    // flashes a dialog nor lets other commands in meanwhile.
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    quiet.start(kQuietMs);
    if (!watcher.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (watcher.isFinished()) return true;

    // Then the progress dialog, modal for the whole program, until the job
    // ends or the user cancels.
    QProgressDialog dialog(label, uiText(kCancelText), 0, 1000, parent);
    dialog.setWindowTitle(QStringLiteral("Phonotab"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    bool abandoned = false;
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        control->cancel();
        if (mode == CancelMode::Abandon) {
            abandoned = true;
            loop.quit();
        }
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        const int p = control->permille();
        if (p < 0) {
            dialog.setMaximum(0);  // busy indicator until the work reports
        } else {
            dialog.setMaximum(1000);
            dialog.setValue(std::clamp(p, 0, 999));
        }
    });
    poll.start(100);
    dialog.show();
    while (!abandoned && !watcher.isFinished()) loop.exec();
    return !abandoned;
}

}  // namespace phonotab
