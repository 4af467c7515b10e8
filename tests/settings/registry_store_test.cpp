#include "settings/registry_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/file_ops.h"
#include "support/settings_folders.h"

namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { CreateSettingsKeys(); }
    std::string Read(const std::string& name, std::optional<std::string> fallback = {},
                     long* error = nullptr) {
        std::string text = "untouched";
        const long code = ReadStringValue(HKEY_CURRENT_USER, SettingsKeyPath, name, text, fallback);
        if (error != nullptr) *error = code;
        return text;
    }
    SettingsFolders folders_;
};

TEST_F(RegistryStoreTest, NeverTouchesTheRealHome) {
    const std::string temporary = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(HiveFolder(HKEY_CURRENT_USER).rfind(temporary, 0), 0u);
    EXPECT_EQ(HiveFolder(HKEY_LOCAL_MACHINE).rfind(temporary, 0), 0u);
}

TEST_F(RegistryStoreTest, CreatesTheKeysUnderBothHives) {
    EXPECT_TRUE(std::filesystem::is_directory(folders_.UserKey()));
    EXPECT_TRUE(std::filesystem::is_directory(folders_.MachineKey()));
    EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, MakerKeyPath), ERROR_SUCCESS);
}

TEST_F(RegistryStoreTest, TextsRoundTripByteForByte) {
    const std::vector<std::string> texts = {"${id}.${ext}|Photo-${i}.${ext;low}|",
                                            "quotes \" and ' and \\",
                                            "line\nfeed\r\n",
                                            "\xC3\xA9t\xC3\xA9 \xFF\x80",
                                            "",
                                            std::string(100000, 'x')};
    for (const std::string& text : texts) {
        WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, "cboPrototype", text);
        long error = -1;
        EXPECT_EQ(Read("cboPrototype", {}, &error), text);
        EXPECT_EQ(error, ERROR_SUCCESS);
    }
}

TEST_F(RegistryStoreTest, MissingValuesAndKeys) {
    long error = 0;
    EXPECT_EQ(Read("cboFilter", {}, &error), "untouched");
    EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Read("cboFilter", std::string("fallback")), "fallback");
    std::string text;
    EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, "Software\\Nobody", "x", text),
              ERROR_FILE_NOT_FOUND);
    // Writing needs the key; it is never created by the write.
    WriteStringValue(HKEY_CURRENT_USER, "Software\\Nobody", "x", "y");
    EXPECT_NE(RegOpenKey(HKEY_CURRENT_USER, "Software\\Nobody"), ERROR_SUCCESS);
}

TEST_F(RegistryStoreTest, OtherTypesAndTerminatingNuls) {
    ASSERT_EQ(RegSetValue(HKEY_CURRENT_USER, SettingsKeyPath, "cboFilter", REG_DWORD, "\x01\0\0\0"),
              ERROR_SUCCESS);
    long error = -1;
    EXPECT_EQ(Read("cboFilter", {}, &error), "untouched");
    EXPECT_EQ(error, ERROR_SUCCESS);
    EXPECT_EQ(Read("cboFilter", std::string("fallback")), "fallback");

    RegSetValue(HKEY_CURRENT_USER, SettingsKeyPath, "a", REG_SZ, std::string("text\0", 5));
    RegSetValue(HKEY_CURRENT_USER, SettingsKeyPath, "b", REG_EXPAND_SZ, "text");
    EXPECT_EQ(Read("a"), "text");
    EXPECT_EQ(Read("b"), "text");
}

TEST_F(RegistryStoreTest, AFailedWriteLeavesThePreviousValue) {
    WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, "cboPrototype", "before");
    for (int error : {ENOSPC, EIO}) {
        SetFileOpHook(
            [&](FileOp op, const std::string&) { return op == FileOp::Write ? error : 0; });
        WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, "cboPrototype", "after");
        SetFileOpHook({});
        EXPECT_EQ(Read("cboPrototype"), "before");
    }
    // No temporary file is left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folders_.UserKey()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST_F(RegistryStoreTest, ADamagedValueReadsAsNothingStored) {
    WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, "cboPrototype", "good");
    std::ofstream(folders_.UserKey() + "cboPrototype.value", std::ios::binary) << "garbage\x00\x01";
    long error = 0;
    EXPECT_EQ(Read("cboPrototype", std::string("defaults"), &error), "defaults");
    EXPECT_NE(error, ERROR_SUCCESS);
}

TEST_F(RegistryStoreTest, AMachineHiveWithoutRightsIsIgnored) {
    setenv("XDG_CONFIG_DIRS", "/proc/no-rights-here", 1);
    CreateSettingsKeys();
    WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, "cboFilter", "jpg|");
    EXPECT_EQ(Read("cboFilter"), "jpg|");
}

TEST_F(RegistryStoreTest, AValueFileThatIsNoRegularFileNeitherHangsNorSwells) {
    CreateSettingsKeys();
    const std::string fifo = folders_.UserKey() + "cboPrototype.value";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = folders_.UserKey() + "cboFilter.value";
    std::filesystem::create_symlink("/dev/zero", zero);
    std::ofstream(folders_.UserKey() + "huge.value", std::ios::binary) << "QRV1 1\n"
                                                                       << std::string(2 << 20, 'x');
    for (const char* name : {"cboPrototype", "cboFilter", "huge"}) {
        long error = 0;
        EXPECT_EQ(Read(name, std::string("defaults"), &error), "defaults") << name;
        EXPECT_NE(error, ERROR_SUCCESS) << name;
    }
}

TEST_F(RegistryStoreTest, AValueFileThatIsALinkIsWrittenWhereItPoints) {
    CreateSettingsKeys();
    TempFolder dotfiles;
    const std::string real = dotfiles.File("prototypes", "QRV1 1\nold|");
    const std::string link = folders_.UserKey() + "cboPrototype.value";
    std::filesystem::create_symlink(real, link);
    EXPECT_EQ(Read("cboPrototype"), "old|");
    WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, "cboPrototype", "new|");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Read("cboPrototype"), "new|");
    std::ifstream file(real, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "QRV1 1\nnew|");
}

}  // namespace
