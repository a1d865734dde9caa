// The progress of one long operation (loading a measurement file, a
// calculation, a project recalculation, a summary) and the wish to stop it,
// shared between the work and whoever watches it: a progress dialog with a
// cancel button, the batch tool, a test. Every long operation of the core
// takes one; the work reports the fraction done and ends cleanly, without
// touching its caller's state, as soon as a report answers false.
//
// A Progress is a small handle: copies share the same state. A part of the
// work reports through part(), which maps its own 0..1 onto a stretch of the
// whole; quiet() gives the work a handle that only watches for the stop (for
// parts run side by side, whose fractions the caller sums up itself).
// Thread-safe: workers report from their threads, the interface reads and
// cancels from its own.
#pragma once

#include <atomic>
#include <memory>

namespace phonotab {

class Progress {
public:
    Progress() : shared_(std::make_shared<Shared>()) {}

    // Records the fraction done (0..1, of this handle's stretch); false once a
    // stop was asked for.
    bool report(double fraction) const {
        if (width_ > 0.0) {
            if (fraction < 0.0) fraction = 0.0;
            if (fraction > 1.0) fraction = 1.0;
            shared_->permille.store(static_cast<int>((from_ + fraction * width_) * 1000.0),
                                    std::memory_order_relaxed);
        }
        return !cancelled();
    }
    bool cancelled() const { return shared_->cancelled.load(std::memory_order_relaxed); }
    void cancel() const { shared_->cancelled.store(true, std::memory_order_relaxed); }
    // The whole work's fraction last reported, in thousandths; -1 while
    // nothing was reported.
    int permille() const { return shared_->permille.load(std::memory_order_relaxed); }

    // The stretch [from, to) of this handle's work, as a handle of its own.
    Progress part(double from, double to) const {
        Progress p = *this;
        p.from_ = from_ + from * width_;
        p.width_ = (to - from) * width_;
        return p;
    }
    Progress quiet() const { return part(0.0, 0.0); }

private:
    struct Shared {
        std::atomic<bool> cancelled{false};
        std::atomic<int> permille{-1};
    };
    std::shared_ptr<Shared> shared_;
    double from_ = 0.0, width_ = 1.0;
};

}  // namespace phonotab
