#include "platform/combo_box.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace {

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* entry : {"${id}.${ext}", "Photo-${i}", "photo-${I}", "x"})
            combo_.AddString(entry);
    }
    QWidget parent_;
    CComboBox combo_{&parent_};
};

TEST_F(ComboBoxTest, FindStringExactIgnoresAsciiCaseOverTheWholeList) {
    EXPECT_EQ(combo_.FindStringExact(-1, "PHOTO-${i}"), 1);
    EXPECT_EQ(combo_.FindStringExact(1, "PHOTO-${i}"), 2);
    EXPECT_EQ(combo_.FindStringExact(2, "PHOTO-${i}"), 1);
    EXPECT_EQ(combo_.FindStringExact(-1, "photo"), CComboBox::CB_ERR);
    EXPECT_EQ(combo_.FindStringExact(-1, "X"), 3);
}

TEST_F(ComboBoxTest, ListChangesLeaveTheEditFieldAlone) {
    combo_.SetWindowText("typed");
    combo_.InsertString(0, "first");
    combo_.DeleteString(2);
    EXPECT_EQ(combo_.GetWindowText(), "typed");
    EXPECT_EQ(combo_.GetLBText(0), "first");
    EXPECT_EQ(combo_.GetCount(), 4);
    EXPECT_EQ(combo_.InsertString(9, "beyond"), CComboBox::CB_ERR);
}

TEST_F(ComboBoxTest, SelectingCopiesTheEntryAndResetEmptiesAll) {
    combo_.SetWindowText("typed");
    EXPECT_EQ(combo_.SetCurSel(1), 1);
    EXPECT_EQ(combo_.GetWindowText(), "Photo-${i}");
    EXPECT_EQ(combo_.GetCurSel(), 1);
    combo_.ResetContent();
    EXPECT_EQ(combo_.GetCount(), 0);
    EXPECT_EQ(combo_.GetWindowText(), "");
}

TEST_F(ComboBoxTest, NeverInsertsWhatIsTyped) {
    combo_.Widget()->lineEdit()->setText("new entry");
    emit combo_.Widget()->lineEdit()->returnPressed();
    EXPECT_EQ(combo_.GetCount(), 4);
    EXPECT_EQ(combo_.Widget()->completer(), nullptr);
}

}  // namespace
