// Long work (loading a long file, a calculation) off the interface thread:
// the work runs on a worker thread while the interface stays alive; after a
// moment a progress dialog with a cancel button appears.
#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace phonotab {

// What the work and the interface share: the progress and the wish to stop.
class TaskControl {
public:
    // Reports the fraction done (0..1); false once the user asked to stop.
    bool report(double fraction) {
        permille_ = static_cast<int>(fraction * 1000.0);
        return !cancelled_;
    }
    bool cancelled() const { return cancelled_; }
    void cancel() { cancelled_ = true; }
    int permille() const { return permille_; }  // -1 while nothing was reported

private:
    std::atomic<bool> cancelled_{false};
    std::atomic<int> permille_{-1};
};

// What a cancel does: Abandon returns at once and lets the work run on alone
// (for work that cannot stop, such as reading a file); WaitForEnd tells the
// work and waits until it has stopped (for work that watches the control).
enum class CancelMode { Abandon, WaitForEnd };

namespace detail {
// Runs job on a worker thread and waits, keeping the interface alive. False
// when the job was abandoned before it ended.
bool runInBackground(QWidget* parent, const QString& label, const std::shared_ptr<TaskControl>& control,
                     std::function<void()> job, CancelMode mode);
}  // namespace detail

// The work's result; none when the user cancelled abandoning work. The work
// receives the control to report progress through and to see a cancel; it
// must capture by value, as abandoned work outlives the call.
template <typename T, typename Work>
std::optional<T> runLongTask(QWidget* parent, const QString& label, Work work,
                             CancelMode mode = CancelMode::Abandon) {
    struct Shared {
        std::optional<T> result;
    };
    auto control = std::make_shared<TaskControl>();
    auto shared = std::make_shared<Shared>();
    const bool finished = detail::runInBackground(
        parent, label, control,
        [control, shared, work = std::move(work)]() mutable { shared->result.emplace(work(*control)); }, mode);
    if (!finished) return std::nullopt;
    if (mode == CancelMode::Abandon && control->cancelled()) return std::nullopt;
    return std::move(shared->result);
}

}  // namespace phonotab
