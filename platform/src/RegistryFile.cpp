#include "rvplatform/RegistryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace rvplatform {
namespace {

const char* const kRoots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                              "HKEY_USERS", "HKEY_CURRENT_CONFIG"};
const char kDefaultName[] = "@";

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool iequal(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

// True when `key` lies below `parent`.
bool isBelow(const std::string& key, const std::string& parent) {
    return key.size() > parent.size() + 1 && key[parent.size()] == '\\' &&
           iequal(key.substr(0, parent.size()), parent);
}

std::string trimLeft(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : s.substr(first);
}

std::string trim(const std::string& s) {
    const std::string left = trimLeft(s);
    return left.substr(0, left.find_last_not_of(" \t") + 1);
}

bool startsWithNoCase(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && iequal(s.substr(0, prefix.size()), prefix);
}

bool parseDword(const std::string& digits, std::uint32_t& out) {
    const bool hex = startsWithNoCase(digits, "0x");
    const std::string body = hex ? digits.substr(2) : digits;
    if (body.empty() || body.size() > 10) return false;
    const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (body.find_first_not_of(allowed) != std::string::npos) return false;
    const unsigned long long n = std::strtoull(body.c_str(), nullptr, hex ? 16 : 10);
    if (n > 0xFFFFFFFFull) return false;
    out = static_cast<std::uint32_t>(n);
    return true;
}

bool decodeValue(const std::string& encoded, RegistryValue& value) {
    if (startsWithNoCase(encoded, "sz:")) {
        value.type = RegistryValue::String;
        value.text = encoded.substr(3);
        return true;
    }
    if (startsWithNoCase(encoded, "dword:")) {
        value.type = RegistryValue::Dword;
        return parseDword(trim(encoded.substr(6)), value.number);
    }
    return false;
}

bool hasLineBreak(const std::string& s) {
    return s.find_first_of("\r\n") != std::string::npos;
}

} // namespace

std::string RegistryValue::bytes() const {
    if (type == String) return text + '\0';
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return out;
}

std::string RegistryValue::encoded() const {
    return type == String ? "sz:" + text : "dword:" + std::to_string(number);
}

std::string RegistryFile::defaultPath() {
    if (const char* path = std::getenv("RVHOST_REGISTRY"); path && *path) return path;
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = ".";
    return (base / "rvhost" / "registry.ini").string();
}

RegistryFile RegistryFile::load(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        RegistryFile empty;
        empty.errors_.push_back(path + ": cannot be read: " + std::strerror(errno));
        return empty;
    }
    std::ostringstream text;
    text << in.rdbuf();
    RegistryFile file = parse(text.str());
    for (auto& e : file.errors_)
        e = path + ":" + e;
    return file;
}

RegistryFile RegistryFile::parse(const std::string& text) {
    RegistryFile file;
    std::istringstream in(text);
    std::string line;
    Section* current = nullptr;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        file.parseLine(line, number, current);
    }
    return file;
}

// String values keep blanks at their end, so only the start of a line is trimmed.
void RegistryFile::parseLine(const std::string& raw, int lineNumber, Section*& current) {
    const std::string line = trimLeft(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#') return;
    const std::string where = std::to_string(lineNumber) + ": ";
    std::string error;
    if (line[0] == '[') {
        current = nullptr;
        const std::string header = trim(line);
        const std::string key = header.back() == ']' ? header.substr(1, header.size() - 2) : "";
        if (!validKey(key, error)) {
            errors_.push_back(where + "bad section " + line + (error.empty() ? "" : ": " + error));
            return;
        }
        current = section(key);
        if (!current) {
            sections_.push_back({key, {}});
            current = &sections_.back();
        }
        return;
    }
    const auto eq = line.find('=');
    RegistryValue value;
    if (eq == std::string::npos || !decodeValue(trimLeft(line.substr(eq + 1)), value)) {
        errors_.push_back(where + "expected Name=sz:TEXT or Name=dword:N, got " + line);
        return;
    }
    if (!current) {
        errors_.push_back(where + "value outside a valid [KEY] section");
        return;
    }
    const std::string name = trim(line.substr(0, eq));
    const std::string key = current->key; // set() may grow sections_
    // A hand-edited duplicate name takes the last value, as a second set() would.
    if (name.empty() || !set(key, name, value, error))
        errors_.push_back(where + "bad value name in " + line);
}

bool RegistryFile::save(const std::string& path, std::string& error) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text();
        if (!out.flush()) {
            error = "cannot write " + temporary + ": " + std::strerror(errno);
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        error = "cannot replace " + path + ": " + ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

std::string RegistryFile::text() const {
    std::string out = "; rvhost registry: [KEY] sections, Name=sz:TEXT or Name=dword:N, @ = "
                      "default value\n";
    for (const auto& s : sections_) {
        out += "\n[" + s.key + "]\n";
        for (const auto& e : s.entries)
            out += (e.name.empty() ? kDefaultName : e.name) + "=" + e.value.encoded() + "\n";
    }
    return out;
}

bool RegistryFile::keyExists(const std::string& key) const {
    std::string error;
    if (!validKey(key, error)) return false;
    if (key.find('\\') == std::string::npos) return true;
    return std::any_of(sections_.begin(), sections_.end(),
                       [&](const Section& s) { return iequal(s.key, key) || isBelow(s.key, key); });
}

const RegistryValue* RegistryFile::find(const std::string& key, const std::string& name) const {
    const Section* s = section(key);
    if (!s) return nullptr;
    const std::string wanted = name == kDefaultName ? "" : name;
    for (const auto& e : s->entries)
        if (iequal(e.name, wanted)) return &e.value;
    return nullptr;
}

bool RegistryFile::set(const std::string& key, const std::string& name, const RegistryValue& value,
                       std::string& error) {
    if (!validKey(key, error) || !validName(name, error)) return false;
    if (value.type == RegistryValue::String && hasLineBreak(value.text)) {
        error = "a registry string here cannot hold a line break";
        return false;
    }
    Section* s = section(key);
    if (!s) {
        sections_.push_back({key, {}});
        s = &sections_.back();
    }
    const std::string stored = name == kDefaultName ? "" : name;
    for (auto& e : s->entries)
        if (iequal(e.name, stored)) {
            e.value = value;
            return true;
        }
    s->entries.push_back({stored, value});
    return true;
}

bool RegistryFile::removeValue(const std::string& key, const std::string& name) {
    Section* s = section(key);
    if (!s) return false;
    const std::string wanted = name == kDefaultName ? "" : name;
    const auto before = s->entries.size();
    s->entries.erase(std::remove_if(s->entries.begin(), s->entries.end(),
                                    [&](const Entry& e) { return iequal(e.name, wanted); }),
                     s->entries.end());
    return s->entries.size() != before;
}

bool RegistryFile::removeKey(const std::string& key) {
    const auto before = sections_.size();
    sections_.erase(
        std::remove_if(sections_.begin(), sections_.end(),
                       [&](const Section& s) { return iequal(s.key, key) || isBelow(s.key, key); }),
        sections_.end());
    return sections_.size() != before;
}

bool RegistryFile::validKey(const std::string& key, std::string& error) {
    if (key.find_first_of("\r\n[]") != std::string::npos) {
        error = "a key cannot hold line breaks or brackets";
        return false;
    }
    const std::string root = key.substr(0, key.find('\\'));
    if (std::none_of(std::begin(kRoots), std::end(kRoots),
                     [&](const char* r) { return iequal(root, r); })) {
        error = "a key starts with HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, "
                "HKEY_USERS or HKEY_CURRENT_CONFIG, not \"" +
                root + "\"";
        return false;
    }
    if (key.back() == '\\' || key.find("\\\\") != std::string::npos) {
        error = "a key has no empty parts: \"" + key + "\"";
        return false;
    }
    return true;
}

bool RegistryFile::validName(const std::string& name, std::string& error) {
    if (name.find('=') != std::string::npos || hasLineBreak(name) || trim(name) != name ||
        (!name.empty() && std::strchr(";#[", name[0]))) {
        error = "a value name here cannot hold '=' or line breaks, start with ; # [ or have "
                "blanks around it: \"" +
                name + "\"";
        return false;
    }
    return true;
}

RegistryFile::Section* RegistryFile::section(const std::string& key) {
    for (auto& s : sections_)
        if (iequal(s.key, key)) return &s;
    return nullptr;
}

const RegistryFile::Section* RegistryFile::section(const std::string& key) const {
    return const_cast<RegistryFile*>(this)->section(key);
}

} // namespace rvplatform
