#include "settings/histories.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <fstream>

#include "engine/default_prototypes.h"
#include "settings/registry_store.h"
#include "support/settings_folders.h"
#include "ui/main_dlg.h"
#include "ui/resources.h"

namespace {

std::string DefaultsStored() {
    std::string stored;
    for (std::string_view prototype : kDefaultPrototypes) stored += std::string(prototype) + "|";
    return stored;
}

class HistoriesTest : public ::testing::Test {
protected:
    void Store(const std::string& name, const std::string& text) {
        CreateSettingsKeys();
        WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, name, text);
    }
    std::string Stored(const std::string& name) {
        std::string text = "<nothing>";
        ReadStringValue(HKEY_CURRENT_USER, SettingsKeyPath, name, text);
        return text;
    }
    std::vector<std::string> Entries(const CComboBox& combo) {
        std::vector<std::string> entries;
        for (int i = 0; i < combo.GetCount(); ++i) entries.push_back(combo.GetLBText(i));
        return entries;
    }

    SettingsFolders folders_;
};

TEST_F(HistoriesTest, FirstStartOffersTheDefaults) {
    CMainDlg dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(Entries(dialog.Prototype()),
              std::vector<std::string>(kDefaultPrototypes.begin(), kDefaultPrototypes.end()));
    EXPECT_EQ(dialog.Prototype().GetWindowText(), "${id}.${ext}");
    EXPECT_EQ(dialog.Filter().GetCount(), 0);
    EXPECT_EQ(dialog.Filter().GetWindowText(), "");
}

TEST_F(HistoriesTest, StoredEntriesAreCleanedAndKeptOnceIgnoringCase) {
    Store("cboPrototype", "A-${i}|a-${I}|b:c\td/e|");
    Store("cboFilter", "JPG, txt|txt,jpg|png");
    CMainDlg dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(Entries(dialog.Prototype()), (std::vector<std::string>{"A-${i}", "b c d e"}));
    EXPECT_EQ(dialog.Prototype().GetWindowText(), "A-${i}");
    EXPECT_EQ(Entries(dialog.Filter()), (std::vector<std::string>{"jpg, txt", "png"}));
}

TEST_F(HistoriesTest, AnEmptyStoredTextGivesEmptyLists) {
    Store("cboPrototype", "");
    CMainDlg dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.Prototype().GetCount(), 0);
    EXPECT_EQ(dialog.Prototype().GetWindowText(), "");
}

TEST_F(HistoriesTest, ClosingStoresTheListsNotTheTypedTexts) {
    {
        CMainDlg dialog;
        dialog.OnInitDialog();
        dialog.Prototype().SetWindowText("typed-${i}");
        dialog.Filter().SetWindowText("doc");
        dialog.OnCommand(IDC_EXIT);
    }
    EXPECT_EQ(Stored("cboPrototype"), DefaultsStored());
    EXPECT_EQ(Stored("cboFilter"), "");
    CMainDlg next;
    next.OnInitDialog();
    EXPECT_EQ(next.Prototype().FindStringExact(-1, "typed-${i}"), CComboBox::CB_ERR);
}

TEST_F(HistoriesTest, ClearButtonsThenClose) {
    Store("cboPrototype", "mine|");
    Store("cboFilter", "jpg|");
    CMainDlg dialog;
    dialog.OnInitDialog();
    dialog.OnCommand(IDC_CLEAR_PROTOTYPE);
    dialog.OnCommand(IDC_CLEAR_FILTER);
    dialog.OnOK();
    EXPECT_EQ(Stored("cboPrototype"), DefaultsStored());
    EXPECT_EQ(Stored("cboFilter"), "");
}

TEST_F(HistoriesTest, ADamagedStoreGivesTheDefaults) {
    Store("cboPrototype", "mine|");
    std::ofstream(folders_.UserKey() + "cboPrototype.value") << "not a value";
    CMainDlg dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.Prototype().GetCount(), 7);
}

}  // namespace
