#include <windows.h>

#include "rvplatform/RegistryFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using rvplatform::RegistryFile;
using rvplatform::RegistryValue;

namespace {

const char kKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Product";
const char kSubKey[] = "SOFTWARE\\Maker\\Product";

RegistryValue sz(const std::string& text) {
    RegistryValue v;
    v.text = text;
    return v;
}

RegistryValue dword(std::uint32_t n) {
    RegistryValue v;
    v.type = RegistryValue::Dword;
    v.number = n;
    return v;
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

// Every test gets its own registry file in a fresh folder.
class Registry : public ::testing::Test {
protected:
    Registry()
        : dir_(std::filesystem::temp_directory_path() /
               ("rvreg-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name())),
          env_("RVHOST_REGISTRY", (dir_ / "registry.ini").string()) {
        std::filesystem::create_directories(dir_);
    }
    ~Registry() override { std::filesystem::remove_all(dir_); }

    std::string path() const { return (dir_ / "registry.ini").string(); }
    void write(const std::string& text) { std::ofstream(path()) << text; }
    void store(const std::string& name, const RegistryValue& value) {
        RegistryFile file = RegistryFile::load(path());
        std::string error;
        ASSERT_TRUE(file.set(kKey, name, value, error)) << error;
        ASSERT_TRUE(file.save(path(), error)) << error;
    }

    std::filesystem::path dir_;
    ScopedEnv env_;
};

TEST_F(Registry, FileRoundTripKeepsTypesAndText) {
    RegistryFile file;
    std::string error;
    ASSERT_TRUE(file.set(kKey, "InstallPath", sz("C:\\Program Files\\Maker\\ = ; x "), error));
    ASSERT_TRUE(file.set(kKey, "Count", dword(4294967295u), error));
    ASSERT_TRUE(file.set(kKey, "@", sz(""), error));
    ASSERT_TRUE(file.set("HKEY_CURRENT_USER\\Other", "Empty", sz(""), error));
    ASSERT_TRUE(file.save(path(), error)) << error;

    const RegistryFile back = RegistryFile::load(path());
    EXPECT_TRUE(back.errors().empty());
    ASSERT_NE(back.find(kKey, "installpath"), nullptr);
    EXPECT_EQ(back.find(kKey, "InstallPath")->text, "C:\\Program Files\\Maker\\ = ; x ");
    ASSERT_NE(back.find(kKey, "Count"), nullptr);
    EXPECT_EQ(back.find(kKey, "Count")->type, RegistryValue::Dword);
    EXPECT_EQ(back.find(kKey, "Count")->number, 4294967295u);
    EXPECT_NE(back.find(kKey, ""), nullptr);
    EXPECT_NE(back.find("hkey_current_user\\OTHER", "Empty"), nullptr);
    EXPECT_EQ(back.text(), file.text());
}

TEST_F(Registry, HandWrittenFileIsReadAndBadLinesReported) {
    const RegistryFile file =
        RegistryFile::parse("; comment\n"
                            "# another\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Product]\r\n"
                            "  Path = sz:D:\\x\\\r\n"
                            "Hex=dword:0x1F\n"
                            "Path=sz:second wins\n"
                            "Broken line\n"
                            "Big=dword:4294967296\n"
                            "[NOT_A_ROOT\\x]\n"
                            "Lost=sz:under a bad section\n");
    ASSERT_NE(file.find(kKey, "Path"), nullptr);
    EXPECT_EQ(file.find(kKey, "Path")->text, "second wins");
    ASSERT_NE(file.find(kKey, "Hex"), nullptr);
    EXPECT_EQ(file.find(kKey, "Hex")->number, 31u);
    EXPECT_EQ(file.find(kKey, "Big"), nullptr);
    EXPECT_EQ(file.errors().size(), 4u); // Broken, Big, the bad section and the value below it
}

TEST_F(Registry, KeysExistThroughTheirSubkeysAndRemoveWithThem) {
    RegistryFile file;
    std::string error;
    ASSERT_TRUE(file.set(kKey, "A", sz("1"), error));
    ASSERT_TRUE(file.set(std::string(kKey) + "\\Sub", "B", sz("2"), error));
    EXPECT_TRUE(file.keyExists("HKEY_LOCAL_MACHINE"));
    EXPECT_TRUE(file.keyExists("HKEY_LOCAL_MACHINE\\software"));
    EXPECT_FALSE(file.keyExists("HKEY_LOCAL_MACHINE\\SOFT"));
    EXPECT_FALSE(file.keyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\"));

    EXPECT_TRUE(file.removeValue(kKey, "a"));
    EXPECT_FALSE(file.removeValue(kKey, "a"));
    EXPECT_TRUE(file.keyExists(kKey));
    EXPECT_TRUE(file.removeKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker"));
    EXPECT_FALSE(file.keyExists(std::string(kKey) + "\\Sub"));
    EXPECT_FALSE(file.removeKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker"));
}

TEST_F(Registry, BadKeysNamesAndTextChangeNothing) {
    RegistryFile file;
    std::string error;
    EXPECT_FALSE(file.set("SOFTWARE\\Maker", "A", sz("1"), error));
    EXPECT_NE(error.find("HKEY_LOCAL_MACHINE"), std::string::npos);
    EXPECT_FALSE(file.set("HKEY_LOCAL_MACHINE\\\\Maker", "A", sz("1"), error));
    EXPECT_FALSE(file.set("", "A", sz("1"), error));
    EXPECT_FALSE(file.set(kKey, "A=B", sz("1"), error));
    EXPECT_FALSE(file.set(kKey, " A", sz("1"), error));
    EXPECT_FALSE(file.set(kKey, "[A", sz("1"), error));
    EXPECT_FALSE(file.set(kKey, "A", sz("two\nlines"), error));
    EXPECT_FALSE(file.keyExists(kKey));
    EXPECT_EQ(file.text(), RegistryFile().text());
}

TEST_F(Registry, DefaultPathFollowsTheEnvironment) {
    EXPECT_EQ(RegistryFile::defaultPath(), path());
    ScopedEnv noFile("RVHOST_REGISTRY", "");
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/xdg");
        EXPECT_EQ(RegistryFile::defaultPath(), "/tmp/xdg/rvhost/registry.ini");
    }
    ScopedEnv noXdg("XDG_CONFIG_HOME", "");
    ScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(RegistryFile::defaultPath(), "/home/someone/.config/rvhost/registry.ini");
}

TEST_F(Registry, SaveCreatesTheFolder) {
    RegistryFile file;
    std::string error;
    ASSERT_TRUE(file.set(kKey, "A", sz("1"), error));
    const std::string nested = (dir_ / "a" / "b" / "registry.ini").string();
    ASSERT_TRUE(file.save(nested, error)) << error;
    EXPECT_NE(RegistryFile::load(nested).find(kKey, "A"), nullptr);
}

TEST_F(Registry, OpenKeyFindsKeysAndRefusesMissingOnes) {
    store("InstallPath", sz("C:\\x\\"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    HKEY parent = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\maker", 0, KEY_READ, &parent),
              ERROR_SUCCESS);
    HKEY child = nullptr;
    EXPECT_EQ(RegOpenKeyExA(parent, "Product", 0, KEY_READ, &child), ERROR_SUCCESS);
    HKEY none = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Nobody", 0, KEY_READ, &none),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubKey, 0, KEY_READ, nullptr),
              ERROR_INVALID_PARAMETER);

    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(parent), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    char buffer[8];
    DWORD size = sizeof buffer;
    EXPECT_EQ(RegGetValueA(key, nullptr, "InstallPath", RRF_RT_REG_SZ, nullptr, buffer, &size),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
}

TEST_F(Registry, MissingFileIsAnEmptyRegistry) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubKey, 0, KEY_QUERY_VALUE, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, nullptr, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

// The sizes are the registry's: bytes, terminating zero included, on the way in and out.
TEST_F(Registry, GetValueSizeCases) {
    store("Path", sz("abcdef"));
    store("Long", sz(std::string(1023, 'x')));
    store("TooLong", sz(std::string(1024, 'y')));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;

    // Size query without a buffer.
    EXPECT_EQ(RegGetValueA(key, nullptr, "Path", RRF_RT_REG_SZ, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(type, DWORD(REG_SZ));

    // Exactly large enough.
    char exact[7];
    size = sizeof exact;
    EXPECT_EQ(RegGetValueA(key, nullptr, "Path", RRF_RT_REG_SZ, nullptr, exact, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(exact, "abcdef");
    EXPECT_EQ(size, 7u);

    // One byte short: the needed size comes back.
    char small[6];
    size = sizeof small;
    EXPECT_EQ(RegGetValueA(key, nullptr, "Path", RRF_RT_REG_SZ, nullptr, small, &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 7u);

    // A larger buffer: the size shrinks to the value's.
    char buffer[1024];
    size = sizeof buffer;
    EXPECT_EQ(RegGetValueA(key, nullptr, "Long", RRF_RT_REG_SZ, &type, buffer, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 1024u);
    EXPECT_EQ(std::string(buffer), std::string(1023, 'x'));
    size = sizeof buffer;
    EXPECT_EQ(RegGetValueA(key, nullptr, "TooLong", RRF_RT_REG_SZ, &type, buffer, &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 1025u);

    // With RRF_ZEROONFAILURE the whole buffer, and only the buffer, is cleared.
    char guarded[8] = "zzzzzzz";
    size = 4;
    EXPECT_EQ(RegGetValueA(key, nullptr, "Path", RRF_RT_REG_SZ | RRF_ZEROONFAILURE, nullptr,
                           guarded, &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(std::string(guarded, 8), std::string(4, '\0') + "zzz" + '\0');

    // Existence check only.
    EXPECT_EQ(RegGetValueA(key, nullptr, "Path", RRF_RT_REG_SZ, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, GetValueTypesAndFailures) {
    store("Count", dword(0x01020304));
    store("Path", sz("p"));
    DWORD type = 0;
    char buffer[16];
    DWORD size = sizeof buffer;
    // A DWORD read as a string: refused, but the type is reported.
    EXPECT_EQ(
        RegGetValueA(HKEY_LOCAL_MACHINE, kSubKey, "Count", RRF_RT_REG_SZ, &type, buffer, &size),
        ERROR_UNSUPPORTED_TYPE);
    EXPECT_EQ(type, DWORD(REG_DWORD));

    DWORD number = 0;
    size = sizeof number;
    EXPECT_EQ(
        RegGetValueA(HKEY_LOCAL_MACHINE, kSubKey, "Count", RRF_RT_REG_DWORD, &type, &number, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(number, 0x01020304u);
    EXPECT_EQ(size, 4u);
    size = sizeof buffer;
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kSubKey, "Path", RRF_RT_ANY, &type, buffer, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));

    size = sizeof buffer;
    EXPECT_EQ(
        RegGetValueA(HKEY_LOCAL_MACHINE, kSubKey, "Nothing", RRF_RT_REG_SZ, &type, buffer, &size),
        ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\None", "Path", RRF_RT_REG_SZ, &type,
                           buffer, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kSubKey, "Path", 0, &type, buffer, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(
        RegGetValueA(HKEY_LOCAL_MACHINE, kSubKey, "Path", RRF_RT_REG_SZ, &type, buffer, nullptr),
        ERROR_INVALID_PARAMETER);
}

TEST_F(Registry, ReadsSeeTheFileAsItIsNow) {
    write("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Product]\nPath=sz:first\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    char buffer[32];
    DWORD size = sizeof buffer;
    ASSERT_EQ(RegGetValueA(key, nullptr, "Path", RRF_RT_REG_SZ, nullptr, buffer, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "first");
    write("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Product]\nPath=sz:second\n");
    size = sizeof buffer;
    ASSERT_EQ(RegGetValueA(key, nullptr, "Path", RRF_RT_REG_SZ, nullptr, buffer, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "second");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

} // namespace
