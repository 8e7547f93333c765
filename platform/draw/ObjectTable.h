#pragma once

// Objects that the programs know only by handle. The handle's number is the
// key; the object itself stays where it was created until it is removed, so
// pointers into it (a section's pixels) remain valid. The objects found last
// are remembered: drawing asks for the same device contexts, brush and
// bitmaps over and over, and a small fill should not cost hash look-ups.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace platform {

template<typename HandleType, typename Object>
class ObjectTable {
public:
    HandleType Add(uint32_t number, Object object)
    {
        if (spare_.empty()) {
            objects_.emplace(number, std::make_unique<Object>(std::move(object)));
        } else {
            auto node = std::move(spare_.back());
            spare_.pop_back();
            node.key() = number;
            *node.mapped() = std::move(object);
            objects_.insert(std::move(node));
        }
        return HandleType { number };
    }
    Object* Find(HandleType handle) const
    {
        for (Remembered const& entry : remembered_) {
            if (entry.number == handle.value && entry.number != 0)
                return entry.object;
        }
        auto it = objects_.find(handle.value);
        if (it == objects_.end())
            return nullptr;
        remembered_[1] = remembered_[0];
        remembered_[0] = { handle.value, it->second.get() };
        return remembered_[0].object;
    }
    void Remove(HandleType handle)
    {
        for (Remembered& entry : remembered_) {
            if (entry.number == handle.value)
                entry = {};
        }
        auto node = objects_.extract(handle.value);
        if (node.empty() || spare_.size() == kSpares)
            return;
        // What the object holds (a bitmap's pixels) goes now.
        *node.mapped() = Object {};
        spare_.push_back(std::move(node));
    }
    size_t Count() const { return objects_.size(); }
    template<typename Predicate>
    bool Any(Predicate predicate) const
    {
        for (auto const& [number, object] : objects_) {
            if (predicate(*object))
                return true;
        }
        return false;
    }

private:
    using Map = std::unordered_map<uint32_t, std::unique_ptr<Object>>;
    // A few removed entries are kept with their memory: drawing makes and
    // deletes a pen or a brush at a time, and that should allocate nothing.
    static constexpr size_t kSpares = 8;

    Map objects_;
    std::vector<typename Map::node_type> spare_ = [] {
        std::vector<typename Map::node_type> spare;
        spare.reserve(kSpares);
        return spare;
    }();
    // The two found last: a copy names two device contexts and two bitmaps.
    // Number 0 is never a handle's.
    struct Remembered {
        uint32_t number = 0;
        Object* object = nullptr;
    };
    mutable Remembered remembered_[2];
};

}
