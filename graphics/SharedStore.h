#pragma once

#include <mutex>
#include <vector>

// A module-wide store of objects made once and shared by every editor of the process. Entries
// are only ever added and own their objects until the store is destroyed with the module. The
// lock is held for a lookup or an append only, never while an object is made, so two callers
// may make the same object at once: the first to add it wins. `Key` needs ==. Any thread.
template <typename Key, typename Value>
class SharedStore {
  public:
    SharedStore() = default;
    ~SharedStore() {
        for (Entry& entry : entries)
            delete entry.value;
    }
    SharedStore(const SharedStore&) = delete;
    SharedStore& operator=(const SharedStore&) = delete;

    Value* Find(const Key& key) {
        std::lock_guard<std::mutex> guard(lock);
        return FindLocked(key);
    }

    // Takes ownership of `value` and returns the object to use: an earlier entry with the same
    // key wins and `value` is deleted.
    Value* Add(const Key& key, Value* value) {
        std::lock_guard<std::mutex> guard(lock);
        if (Value* earlier = FindLocked(key)) {
            delete value;
            return earlier;
        }
        entries.push_back({key, value});
        return value;
    }

  private:
    struct Entry {
        Key key;
        Value* value;
    };

    Value* FindLocked(const Key& key) const {
        for (const Entry& entry : entries)
            if (entry.key == key)
                return entry.value;
        return nullptr;
    }

    std::mutex lock;
    std::vector<Entry> entries;
};
