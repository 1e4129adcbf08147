#pragma once

#include <functional>
#include <vector>

// The order in which Tab walks the main window: the controls of a view and
// the hot spots of its picture in one ring, the view's own business first
// (what it edits, then what files or fetches it), then the way back and the
// corners every view shares.
class FocusRing {
public:
    struct Stop {
        bool isControl;
        int id;  // a control id or a hot spot id
        bool operator==(const Stop& other) const { return isControl == other.isControl && id == other.id; }
    };

    // The stops there are now: hotSpotActive(id) and controlShown(id) tell.
    FocusRing(const std::function<bool(int)>& hotSpotActive, const std::function<bool(int)>& controlShown);

    const std::vector<Stop>& Stops() const { return m_stops; }
    // The hot spots among the stops, in ring order.
    std::vector<int> HotSpots() const;
    // The stop step places from current around the ring; from a stop not in
    // the ring the first (forward) or the last. Nothing when the ring is empty.
    const Stop* Step(const Stop* current, int step) const;

private:
    std::vector<Stop> m_stops;
};
