// handle_table.h: the table behind the GDI's numbered handles (objects and device contexts).
//
// Handles count up in fixed steps and are never reused, so a handle's serial number (handle /
// step) is its key. The table is open addressing over a power-of-two number of slots, home slot
// = serial mod size, with linear probing. Live handles are mostly recent, consecutive serials,
// which land in distinct slots, so a lookup is one or two slot reads and never a division by a
// prime or a walk through a node list. Deletion shifts the following entries back instead of
// leaving markers, so a long run that creates and deletes objects all the time keeps its probe
// chains as short as on the first frame, and the table never grows past twice the most
// handles alive at once. Deleted entries keep their allocation in a small pool for the next
// insertion: a frame that makes and frees a pen per primitive then allocates nothing.
//
// Depends on: nothing of the GDI. Header only, one thread, no locks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace platform::gdi {

// `Step` is the distance between consecutive handles, a power of two so that finding a serial
// is a shift.
template <typename Value, std::uintptr_t Step>
class HandleTable {
    static_assert(Step != 0 && (Step & (Step - 1)) == 0, "handle steps are powers of two");

public:
    // The value behind `handle`, or nullptr.
    Value *find(std::uintptr_t handle) const {
        if (handle == 0 || slots_.empty()) return nullptr;
        for (std::size_t i = home(handle);; i = next(i)) {
            const Slot &slot = slots_[i];
            if (slot.handle == handle) return slot.value.get();
            if (slot.handle == 0) return nullptr;
        }
    }

    // Store `value` under a handle that is not in the table (never 0).
    Value *insert(std::uintptr_t handle, Value &&value) {
        if (2 * (count_ + 1) > slots_.size()) grow();
        std::unique_ptr<Value> stored = reuse_or_allocate(std::move(value));
        Value *result = stored.get();
        place(Slot{handle, std::move(stored)});
        ++count_;
        return result;
    }

    // Remove `handle`; nothing happens when it is not in the table.
    void erase(std::uintptr_t handle) {
        if (handle == 0 || slots_.empty()) return;
        std::size_t hole = home(handle);
        while (slots_[hole].handle != handle) {
            if (slots_[hole].handle == 0) return;
            hole = next(hole);
        }
        recycle(std::move(slots_[hole].value));
        slots_[hole].handle = 0;
        --count_;
        close_gap(hole);
    }

private:
    struct Slot {
        std::uintptr_t handle = 0;  // 0: empty
        std::unique_ptr<Value> value;
    };
    static constexpr std::size_t kFirstSize = 64;
    static constexpr std::size_t kPoolLimit = 16;

    std::size_t home(std::uintptr_t handle) const { return (handle / Step) & (slots_.size() - 1); }
    std::size_t next(std::size_t i) const { return (i + 1) & (slots_.size() - 1); }

    void place(Slot slot) {
        std::size_t i = home(slot.handle);
        while (slots_[i].handle != 0) i = next(i);
        slots_[i] = std::move(slot);
    }

    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_ = std::vector<Slot>(old.empty() ? kFirstSize : 2 * old.size());
        for (Slot &slot : old)
            if (slot.handle != 0) place(std::move(slot));
    }

    // Linear probing without markers: after emptying `hole`, move back every later entry of
    // the run whose home slot does not lie cyclically in (hole, its position], so that no entry
    // is cut off from its home by the new gap.
    void close_gap(std::size_t hole) {
        for (std::size_t i = next(hole); slots_[i].handle != 0; i = next(i)) {
            const std::size_t wanted = home(slots_[i].handle);
            const bool reachable =
                hole <= i ? (hole < wanted && wanted <= i) : (hole < wanted || wanted <= i);
            if (reachable) continue;
            slots_[hole] = std::move(slots_[i]);
            slots_[i].handle = 0;
            hole = i;
        }
    }

    std::unique_ptr<Value> reuse_or_allocate(Value &&value) {
        if (pool_.empty()) return std::make_unique<Value>(std::move(value));
        std::unique_ptr<Value> stored = std::move(pool_.back());
        pool_.pop_back();
        *stored = std::move(value);
        return stored;
    }

    // The pooled value is emptied at once, so a freed bitmap's pixels are not held on to.
    void recycle(std::unique_ptr<Value> value) {
        if (pool_.size() >= kPoolLimit) return;
        *value = Value{};
        pool_.push_back(std::move(value));
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
    std::vector<std::unique_ptr<Value>> pool_;
};

}  // namespace platform::gdi
