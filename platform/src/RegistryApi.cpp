// The registry functions of <windows.h> over the registry file. Every call reads the file
// afresh, so a change made by hostRegistry or by hand is seen at once.
#include <windows.h>

#include "rvplatform/RegistryFile.h"

#include <cstring>
#include <mutex>
#include <set>
#include <string>

struct HKEY__ {
    std::string path;
};

namespace {

using rvplatform::RegistryFile;
using rvplatform::RegistryValue;

struct Root {
    HKEY handle;
    const char* name;
};

const Root kRoots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                       {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                       {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                       {HKEY_USERS, "HKEY_USERS"},
                       {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}};

// Open keys, so that a stale or foreign handle is refused instead of followed.
class OpenKeys {
public:
    HKEY open(std::string path) {
        std::lock_guard<std::mutex> lock(mutex_);
        HKEY key = new HKEY__{std::move(path)};
        keys_.insert(key);
        return key;
    }
    bool close(HKEY key) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!keys_.erase(key)) return false;
        delete key;
        return true;
    }
    bool path(HKEY key, std::string& out) const {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!keys_.count(key)) return false;
        out = key->path;
        return true;
    }

private:
    mutable std::mutex mutex_;
    std::set<HKEY> keys_;
};

OpenKeys& openKeys() {
    static OpenKeys keys;
    return keys;
}

const char* rootName(HKEY key) {
    for (const auto& r : kRoots)
        if (r.handle == key) return r.name;
    return nullptr;
}

// The full path of `key` with `subKey` below it.
LONG resolve(HKEY key, LPCSTR subKey, std::string& path) {
    if (const char* root = rootName(key))
        path = root;
    else if (!openKeys().path(key, path))
        return ERROR_INVALID_HANDLE;
    if (subKey && *subKey) path += std::string("\\") + subKey;
    return ERROR_SUCCESS;
}

bool typeAllowed(RegistryValue::Type type, DWORD flags) {
    return (type == RegistryValue::String && (flags & RRF_RT_REG_SZ)) ||
           (type == RegistryValue::Dword && (flags & RRF_RT_REG_DWORD));
}

LONG readValue(const std::string& path, LPCSTR name, DWORD flags, LPDWORD type, PVOID data,
               LPDWORD size) {
    const RegistryFile file = RegistryFile::load(RegistryFile::defaultPath());
    if (!file.keyExists(path)) return ERROR_FILE_NOT_FOUND;
    const RegistryValue* value = file.find(path, name ? name : "");
    if (!value) return ERROR_FILE_NOT_FOUND;
    if (type) *type = value->type;
    if (!typeAllowed(value->type, flags)) return ERROR_UNSUPPORTED_TYPE;
    const std::string bytes = value->bytes();
    const DWORD needed = static_cast<DWORD>(bytes.size());
    if (!size) return ERROR_SUCCESS;
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data) std::memcpy(data, bytes.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

} // namespace

extern "C" {

LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    std::string path;
    if (LONG status = resolve(hKey, lpSubKey, path); status != ERROR_SUCCESS) return status;
    if (!RegistryFile::load(RegistryFile::defaultPath()).keyExists(path))
        return ERROR_FILE_NOT_FOUND;
    *phkResult = openKeys().open(path);
    return ERROR_SUCCESS;
}

LONG WINAPI RegGetValueA(HKEY hkey, LPCSTR lpSubKey, LPCSTR lpValue, DWORD dwFlags, LPDWORD pdwType,
                         PVOID pvData, LPDWORD pcbData) {
    if (!(dwFlags & RRF_RT_ANY) || (pvData && !pcbData)) return ERROR_INVALID_PARAMETER;
    const DWORD capacity = pcbData ? *pcbData : 0;
    std::string path;
    LONG status = resolve(hkey, lpSubKey, path);
    if (status == ERROR_SUCCESS)
        status = readValue(path, lpValue, dwFlags, pdwType, pvData, pcbData);
    if (status != ERROR_SUCCESS && pvData && (dwFlags & RRF_ZEROONFAILURE))
        std::memset(pvData, 0, capacity);
    return status;
}

LONG WINAPI RegCloseKey(HKEY hKey) {
    if (rootName(hKey) || openKeys().close(hKey)) return ERROR_SUCCESS;
    return ERROR_INVALID_HANDLE;
}

} // extern "C"
