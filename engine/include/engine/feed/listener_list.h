#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace scanbench {

// Any number of listeners of one kind, told in the order they subscribed.
// A listener stays subscribed while its Subscription lives; destroying the
// subscription unsubscribes it, also in the middle of telling the listeners
// (the listener may be gone by the end of the call that removed it).
template <typename Listener>
class ListenerList {
public:
    class Subscription {
    public:
        Subscription() = default;
        Subscription(ListenerList& list, Listener& listener) : List(&list), Who(&listener) {
            List->Add(listener);
        }
        ~Subscription() { Reset(); }
        Subscription(Subscription&& other) noexcept
            : List(std::exchange(other.List, nullptr)), Who(std::exchange(other.Who, nullptr)) {}
        Subscription& operator=(Subscription&& other) noexcept {
            if (this != &other) {
                Reset();
                List = std::exchange(other.List, nullptr);
                Who = std::exchange(other.Who, nullptr);
            }
            return *this;
        }
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;

        void Reset() {
            if (List != nullptr) {
                List->Remove(*Who);
                List = nullptr;
                Who = nullptr;
            }
        }

    private:
        ListenerList* List = nullptr;
        Listener* Who = nullptr;
    };

    ListenerList() = default;
    ListenerList(const ListenerList&) = delete;
    ListenerList& operator=(const ListenerList&) = delete;

    [[nodiscard]] Subscription Subscribe(Listener& listener) { return {*this, listener}; }

    [[nodiscard]] bool Empty() const { return Live == 0; }
    [[nodiscard]] std::size_t Count() const { return Live; }

    // Calls `tell(listener)` for every listener; those that subscribe
    // meanwhile hear from the next call.
    template <typename Tell>
    void ForEach(Tell&& tell) {
        const Telling telling(*this);
        const std::size_t count = Slots.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (Listener* listener = Slots[i]) {
                tell(*listener);
            }
        }
    }

private:
    // Marks a call of the listeners in progress, also when one of them throws.
    class Telling {
    public:
        explicit Telling(ListenerList& list) : List(list) { ++List.Depth; }
        ~Telling() {
            if (--List.Depth == 0 && List.Vacated) {
                List.Vacated = false;
                std::erase(List.Slots, nullptr);
            }
        }
        Telling(const Telling&) = delete;
        Telling& operator=(const Telling&) = delete;

    private:
        ListenerList& List;
    };

    void Add(Listener& listener) {
        Slots.push_back(&listener);
        ++Live;
    }
    void Remove(Listener& listener) {
        const auto slot = std::find(Slots.begin(), Slots.end(), &listener);
        if (slot == Slots.end()) {
            return;
        }
        --Live;
        if (Depth > 0) {
            *slot = nullptr; // the call in progress skips it, and tidies up
            Vacated = true;
        } else {
            Slots.erase(slot);
        }
    }

    std::vector<Listener*> Slots;
    std::size_t Live = 0; // the slots that are not null
    int Depth = 0;
    bool Vacated = false;
};

} // namespace scanbench
