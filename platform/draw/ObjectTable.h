#pragma once

// Objects that the programs know only by handle. The handle's number is the
// key; the object itself stays where it was created until it is removed, so
// pointers into it (a section's pixels) remain valid.

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
        auto it = objects_.find(handle.value);
        return it == objects_.end() ? nullptr : it->second.get();
    }
    void Remove(HandleType handle) { objects_.erase(handle.value); }
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
};

}
