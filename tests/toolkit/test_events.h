#pragma once

#include <vector>

#include "toolkit/toolkit.h"

namespace tk::test {

// Everything the window system has to say right now, in order.
inline std::vector<Event> Drain() {
    std::vector<Event> events;
    for (Event e = PollEvent(); e.kind != EventKind::None; e = PollEvent()) events.push_back(e);
    return events;
}

inline std::vector<Event> OfKind(const std::vector<Event>& events, EventKind kind) {
    std::vector<Event> result;
    for (const Event& e : events) {
        if (e.kind == kind) result.push_back(e);
    }
    return result;
}

}  // namespace tk::test
