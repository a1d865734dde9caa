#include "gui/base/LongTask.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

#include "gui/base/UiText.h"

namespace phonotab {

namespace {
constexpr int kQuietMs = 400;  // short work ends before any dialog shows
}  // namespace

bool runLongTask(QWidget* parent, const QString& label, const std::function<void(const Progress&)>& work) {
    const Progress progress;
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&work, progress] { work(progress); }));

    // First a short wait without user input, so that a quick job neither
    // flashes a dialog nor lets other commands in meanwhile.
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    quiet.start(kQuietMs);
    if (!watcher.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (watcher.isFinished()) return progress.cancelled();

    // Then the progress dialog, modal for the whole program, until the job
    // ends; a cancel asks the job to stop and waits for it.
    QProgressDialog dialog(label, uiText(text::Cancel), 0, 1000, parent);
    dialog.setWindowTitle(QStringLiteral("Phonotab"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        progress.cancel();
        dialog.setLabelText(uiText(msg::Cancelled));
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        const int p = progress.permille();
        if (p < 0) {
            dialog.setMaximum(0);  // busy indicator until the work reports
        } else {
            dialog.setMaximum(1000);
            dialog.setValue(std::clamp(p, 0, 999));
        }
    });
    poll.start(100);
    dialog.show();
    while (!watcher.isFinished()) loop.exec();
    return progress.cancelled();
}

}  // namespace phonotab
