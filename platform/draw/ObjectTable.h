#pragma once

// Objects that the programs know only by handle. The handle's number is the
// key; the object itself stays where it was created until it is removed, so
// pointers into it (a section's pixels) remain valid. The object found last
// is remembered: drawing asks for the same device context, brush and bitmap
// over and over, and a small fill should not cost three hash look-ups.

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace platform {

template<typename HandleType, typename Object>
class ObjectTable {
public:
    HandleType Add(uint32_t number, Object object)
    {
        objects_.emplace(number, std::make_unique<Object>(std::move(object)));
        return HandleType { number };
    }
    Object* Find(HandleType handle) const
    {
        if (handle.value == lastNumber_ && lastNumber_ != 0)
            return last_;
        auto it = objects_.find(handle.value);
        if (it == objects_.end())
            return nullptr;
        lastNumber_ = handle.value;
        last_ = it->second.get();
        return last_;
    }
    void Remove(HandleType handle)
    {
        if (handle.value == lastNumber_)
            lastNumber_ = 0;
        objects_.erase(handle.value);
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
    std::unordered_map<uint32_t, std::unique_ptr<Object>> objects_;
    // Number 0 is never a handle's.
    mutable uint32_t lastNumber_ = 0;
    mutable Object* last_ = nullptr;
};

}
