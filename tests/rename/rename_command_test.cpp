#include "rename/rename_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QWidget>

#include "rename/rename_fixture.h"
#include "support/dialog_answers.h"

namespace {

using FileMap = std::map<std::string, std::string>;

class RenameCommandTest : public ::testing::Test, public RenameFixture {
protected:
    void SetUp() override {
        prototype_.AddString("${id}.${ext}");
        prototype_.SetWindowText("New-${i}");
        filter_.SetWindowText("jpg");
    }
    void Rename() {
        RenameCommand command{list, prototype_, filter_, nullptr};
        OnRename(command);
    }
    void ExpectBoxes(const std::vector<std::pair<std::string, std::string>>& boxes) {
        ASSERT_EQ(answers_.Boxes().size(), boxes.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(answers_.Boxes()[i].caption, boxes[i].first);
            EXPECT_EQ(answers_.Boxes()[i].text, boxes[i].second);
        }
    }

    DialogAnswers answers_;
    QWidget parent_;
    CComboBox prototype_{&parent_};
    CComboBox filter_{&parent_};
};

TEST_F(RenameCommandTest, AnEmptyListDoesNothing) {
    Rename();
    EXPECT_TRUE(answers_.Boxes().empty());
    EXPECT_EQ(prototype_.GetCount(), 1);
}

TEST_F(RenameCommandTest, RenamesAfterTheQuestionAndReports) {
    ListRenames({{"a.txt", "b.txt"}, {"c.txt", "C.TXT"}});
    answers_.AnswerBox(IDYES);
    answers_.AnswerBox(IDOK);
    Rename();
    ExpectBoxes({{"Question", kRenameQuestion}, {"Information", kRenameAllDone}});
    EXPECT_EQ(answers_.Boxes()[0].type, MB_ICONQUESTION | MB_YESNO);
    EXPECT_EQ(answers_.Boxes()[1].type, MB_ICONINFORMATION);
    EXPECT_EQ(Files(), (FileMap{{"b.txt", ContentOf("a.txt")}, {"C.TXT", ContentOf("c.txt")}}));
    EXPECT_EQ(Old(0), "b.txt");
    EXPECT_EQ(Old(1), "C.TXT");
    // Both texts join their histories as first, selected entries.
    EXPECT_EQ(prototype_.GetLBText(0), "New-${i}");
    EXPECT_EQ(prototype_.GetCurSel(), 0);
    EXPECT_EQ(filter_.GetLBText(0), "jpg");
}

TEST_F(RenameCommandTest, NoChangesNothing) {
    ListRenames({{"a.txt", "b.txt"}});
    answers_.AnswerBox(IDNO);
    Rename();
    EXPECT_EQ(Files(), (FileMap{{"a.txt", ContentOf("a.txt")}}));
    EXPECT_EQ(prototype_.GetCount(), 1);

    Create("b.txt", "theirs");
    answers_.AnswerBox(IDYES);
    answers_.AnswerBox(IDNO);
    Rename();
    EXPECT_EQ(answers_.Boxes().back().caption, "Warning");
    EXPECT_EQ(Files(), (FileMap{{"a.txt", ContentOf("a.txt")}, {"b.txt", "theirs"}}));
    EXPECT_EQ(prototype_.GetCount(), 1);
    EXPECT_EQ(filter_.GetCount(), 0);
}

TEST_F(RenameCommandTest, WarnsWithTheCountOfFilesItWillDestroy) {
    ListRenames({{"a.txt", "b.txt"}});
    Create("b.txt", "theirs");
    chmod(folder.PathOf("b.txt").c_str(), 0444);
    answers_.AnswerBox(IDYES);
    answers_.AnswerBox(IDYES);
    answers_.AnswerBox(IDOK);
    Rename();
    ExpectBoxes({{"Question", kRenameQuestion},
                 {"Warning",
                  "You are about to rename 1 existing files.\nAre you sure you want to continue?\n"
                  "PS: Any existing files will be overridden."},
                 {"Information", kRenameAllDone}});
    EXPECT_EQ(answers_.Boxes()[1].type, MB_ICONWARNING | MB_YESNO);
    EXPECT_EQ(Files(), (FileMap{{"b.txt", ContentOf("a.txt")}}));
}

TEST_F(RenameCommandTest, ReportsRowsThatFailed) {
    ListRenames({{"a.txt", "sub"}, {"b.txt", "c.txt"}});
    folder.Folder("sub");
    answers_.AnswerBox(IDYES);
    answers_.AnswerBox(IDOK);
    Rename();
    ExpectBoxes({{"Question", kRenameQuestion}, {"Warning", kRenameSomeFailed}});
    EXPECT_EQ(answers_.Boxes()[1].type, MB_ICONWARNING);
    EXPECT_EQ(Old(0), "a.txt");
    EXPECT_EQ(Old(1), "c.txt");
    EXPECT_EQ(Content("a.txt"), ContentOf("a.txt"));
    // The histories grow whatever the outcome.
    EXPECT_EQ(prototype_.GetLBText(0), "New-${i}");
}

TEST(AddToHistory, SelectsAnEqualEntryOrInsertsTheText) {
    QWidget parent;
    CComboBox combo(&parent);
    combo.AddString("One");
    combo.AddString("two");
    combo.SetWindowText("TWO");
    AddToHistory(combo, 0);
    EXPECT_EQ(combo.GetCount(), 2);
    EXPECT_EQ(combo.GetWindowText(), "two");
    combo.SetWindowText("three");
    AddToHistory(combo, 9);
    EXPECT_EQ(combo.GetLBText(2), "three");
    EXPECT_EQ(combo.GetCurSel(), 2);
    combo.SetWindowText("zero");
    AddToHistory(combo, 0);
    EXPECT_EQ(combo.GetLBText(0), "zero");
}

}  // namespace
