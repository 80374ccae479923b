#pragma once
#include "HttpRequest.h"

#include <wininet.h>

#include <map>
#include <memory>
#include <mutex>

namespace rvplatform {

struct InternetHandle {
    virtual ~InternetHandle() = default;
    void* parent = nullptr;
};

struct InternetSession : InternetHandle {
    SessionSettings settings;
};

struct InternetUrl : InternetHandle {
    HttpRequest request;
};

// The live HINTERNET handles. A handle is an opaque key into this table, so a closed or
// foreign handle is refused instead of followed.
class InternetHandles {
public:
    static InternetHandles& instance();

    void* add(std::shared_ptr<InternetHandle> handle);
    // The handle if it is live and of type T; otherwise null, with `error` set to the
    // WinINet code for what was wrong.
    template <class T> std::shared_ptr<T> find(void* key, DWORD& error) const {
        std::shared_ptr<InternetHandle> h = lookup(key);
        if (!h) {
            error = ERROR_INVALID_HANDLE;
            return nullptr;
        }
        auto typed = std::dynamic_pointer_cast<T>(h);
        if (!typed) error = ERROR_INTERNET_INCORRECT_HANDLE_TYPE;
        return typed;
    }
    // Closes the handle and every handle opened through it.
    bool close(void* key);

private:
    std::shared_ptr<InternetHandle> lookup(void* key) const;

    mutable std::mutex mutex_;
    std::map<void*, std::shared_ptr<InternetHandle>> handles_;
};

} // namespace rvplatform
