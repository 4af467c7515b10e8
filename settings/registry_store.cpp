#include "settings/registry_store.h"

void CreateSettingsKeys() {
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        RegCreateKey(hive, MakerKeyPath);
        RegCreateKey(hive, SettingsKeyPath);
    }
}

long ReadStringValue(HKEY hive, const std::string& keyPath, const std::string& valueName,
                     std::string& text, const std::optional<std::string>& defaultText) {
    const auto fallBack = [&] {
        if (defaultText) text = *defaultText;
    };
    if (const long error = RegOpenKey(hive, keyPath); error != ERROR_SUCCESS) {
        fallBack();
        return error;
    }
    std::uint32_t type = 0;
    std::string data;
    const long error = RegQueryValue(hive, keyPath, valueName, type, data);
    if (error != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        fallBack();
        return error;
    }
    text = data.substr(0, data.find('\0'));
    return ERROR_SUCCESS;
}

void WriteStringValue(HKEY hive, const std::string& keyPath, const std::string& valueName,
                      const std::string& text) {
    if (RegOpenKey(hive, keyPath) != ERROR_SUCCESS) return;
    RegSetValue(hive, keyPath, valueName, REG_SZ, text);
}
