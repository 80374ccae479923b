#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace rvplatform {

// A registry value as the file keeps it. The type numbers are the registry's own
// (REG_SZ, REG_DWORD).
struct RegistryValue {
    enum Type : std::uint32_t { String = 1, Dword = 4 };

    Type type = String;
    std::string text;
    std::uint32_t number = 0;

    // The bytes a registry read hands out: a string with its terminating zero, a DWORD
    // in little-endian order.
    std::string bytes() const;
    // The value as the file writes it after "Name=": "sz:TEXT" or "dword:N".
    std::string encoded() const;
};

// The registry stand-in: one INI-like text file. Sections are full key paths,
// "[HKEY_LOCAL_MACHINE\SOFTWARE\Maker]"; each line below is "Name=sz:TEXT" or
// "Name=dword:N" ("@" names the key's default value). Keys and value names compare
// without regard to case, as in the registry.
class RegistryFile {
public:
    // $RVHOST_REGISTRY, else registry.ini in the host's folder of the user's configuration
    // folder ($XDG_CONFIG_HOME or ~/.config).
    static std::string defaultPath();

    // A missing file is an empty registry; an unreadable line is skipped and noted in
    // errors().
    static RegistryFile load(const std::string& path);
    static RegistryFile parse(const std::string& text);
    // Writes the whole file through a temporary file renamed over it, so a reader never
    // sees half a file.
    bool save(const std::string& path, std::string& error) const;
    std::string text() const;

    const std::vector<std::string>& errors() const { return errors_; }

    // A key exists when it is a root, has a section or has a subkey with one.
    bool keyExists(const std::string& key) const;
    const RegistryValue* find(const std::string& key, const std::string& name) const;

    bool set(const std::string& key, const std::string& name, const RegistryValue& value,
             std::string& error);
    // False when there was nothing to remove.
    bool removeValue(const std::string& key, const std::string& name);
    // Removes the key with all its subkeys.
    bool removeKey(const std::string& key);

    // A key path is a known root ("HKEY_LOCAL_MACHINE", ...) and non-empty parts joined
    // by backslashes.
    static bool validKey(const std::string& key, std::string& error);
    static bool validName(const std::string& name, std::string& error);

private:
    struct Entry {
        std::string name;
        RegistryValue value;
    };
    struct Section {
        std::string key;
        std::vector<Entry> entries;
    };

    void parseLine(const std::string& line, int lineNumber, Section*& current);
    Section* section(const std::string& key);
    const Section* section(const std::string& key) const;

    std::vector<Section> sections_;
    std::vector<std::string> errors_;
};

} // namespace rvplatform
