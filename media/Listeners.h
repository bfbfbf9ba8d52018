// media/Listeners.h — the listeners a component tells of its life-cycle: the
// display's and the sound devices' notifications, a form's hooks.
//
// Each listener gets an id when it is added, by which it is removed. Telling
// walks a copy of the list, so a listener may remove itself (or another)
// while it is being told.

#pragma once

#include <algorithm>
#include <utility>
#include <vector>

namespace skyrend {

template <typename Listener>
class TListeners {
public:
    int Add(Listener listener) {
        entries_.emplace_back(next_, std::move(listener));
        return next_++;
    }
    // Takes the listener out and hands it back, or an empty one for an
    // unknown id.
    Listener Remove(int id) {
        auto it = std::find_if(entries_.begin(), entries_.end(), [id](const auto& e) { return e.first == id; });
        if (it == entries_.end()) return {};
        Listener listener = std::move(it->second);
        entries_.erase(it);
        return listener;
    }
    template <typename... Args>
    void TellOldestFirst(Args&&... args) const {
        const auto copy = entries_;
        for (const auto& entry : copy) entry.second(args...);
    }
    template <typename... Args>
    void TellNewestFirst(Args&&... args) const {
        const auto copy = entries_;
        for (auto it = copy.rbegin(); it != copy.rend(); ++it) it->second(args...);
    }

private:
    int next_ = 1;
    std::vector<std::pair<int, Listener>> entries_;
};

// Runs `work`, then `cleanup`, also when `work` throws (its exception goes on
// afterwards): the listeners hear of a finalisation even when the event
// handler that runs in it fails.
template <typename Work, typename Cleanup>
void WithCleanup(Work&& work, Cleanup&& cleanup) {
    try {
        work();
    } catch (...) {
        cleanup();
        throw;
    }
    cleanup();
}

}  // namespace skyrend
