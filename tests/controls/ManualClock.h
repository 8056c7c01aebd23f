// A clock the test advances by hand: while it lives, every repeat timer the
// controls create runs on it, so held-button timing is tested without sleeping.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "controls/SpeedButtons.h"

namespace testsupport {

class ManualClock {
public:
    ManualClock() {
        previous_ = SetRepeatTimerFactory([this] { return std::unique_ptr<RepeatTimer>(new Timer(this)); });
    }
    ~ManualClock() {
        SetRepeatTimerFactory(previous_);
        for (Timer* t : timers_) t->clock_ = nullptr;
    }
    // Moves time forward one millisecond at a time, firing what falls due.
    void Advance(int msec) {
        for (int i = 0; i < msec; ++i) {
            ++now_;
            for (size_t k = 0; k < timers_.size(); ++k) {
                Timer* t = timers_[k];
                if (t->active_ && t->due_ == now_) {
                    t->due_ = now_ + t->interval_;
                    if (t->OnTimer) t->OnTimer();
                }
            }
        }
    }

private:
    struct Timer : RepeatTimer {
        explicit Timer(ManualClock* c) : clock_(c) { c->timers_.push_back(this); }
        ~Timer() override {
            if (clock_)
                clock_->timers_.erase(std::find(clock_->timers_.begin(), clock_->timers_.end(), this));
        }
        void Start(int msec) override {
            interval_ = msec;
            due_ = clock_->now_ + msec;
            active_ = true;
        }
        // As QTimer: a new interval counts from now when the timer runs.
        void SetInterval(int msec) override {
            interval_ = msec;
            if (active_) due_ = clock_->now_ + msec;
        }
        void Stop() override { active_ = false; }
        ManualClock* clock_;
        long long due_ = 0;
        int interval_ = 0;
        bool active_ = false;
    };
    long long now_ = 0;
    std::vector<Timer*> timers_;
    RepeatTimerFactory previous_;
};

}  // namespace testsupport
