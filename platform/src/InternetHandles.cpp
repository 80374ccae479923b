#include "InternetHandles.h"

#include <vector>

namespace rvplatform {

InternetHandles& InternetHandles::instance() {
    static InternetHandles handles;
    return handles;
}

void* InternetHandles::add(std::shared_ptr<InternetHandle> handle) {
    void* key = handle.get();
    std::lock_guard<std::mutex> lock(mutex_);
    handles_.emplace(key, std::move(handle));
    return key;
}

std::shared_ptr<InternetHandle> InternetHandles::lookup(void* key) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : it->second;
}

bool InternetHandles::close(void* key) {
    std::vector<std::shared_ptr<InternetHandle>> closed; // released after the lock
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = handles_.find(key);
    if (it == handles_.end()) return false;
    closed.push_back(std::move(it->second));
    handles_.erase(it);
    for (auto child = handles_.begin(); child != handles_.end();) {
        if (child->second->parent == key) {
            closed.push_back(std::move(child->second));
            child = handles_.erase(child);
        } else {
            ++child;
        }
    }
    return true;
}

} // namespace rvplatform
