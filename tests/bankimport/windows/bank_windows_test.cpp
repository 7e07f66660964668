// The preview and the rules window, driven from the main window's File menu as a user
// would: choosing the lines' accounts, asking the date order, making a rule from a line,
// reordering and deleting rules, importing.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>

#include "BankPreviewWindow.h"
#include "BankRulesWindow.h"
#include "BankTables.h"
#include "BookRecords.h"
#include "ColumnMapping.h"
#include "HelpButton.h"
#include "InterruptedImport.h"
#include "PreviewModel.h"
#include "RuleEditor.h"
#include "TempDir.h"
#include "TestDatabase.h"
#include "TestShell.h"

namespace {

const QString kUkStatement =
    QStringLiteral(TEST_SOURCE_DIR "/bankimport/statements/uk_paid_out_in.csv");

class BankWindows : public testing::Test {
 protected:
  void SetUp() override {
    for (int account : {11, 12}) books::addAccount(t.db, books::Chart::Expense, account, "Costs");
    books::addAccount(t.db, books::Chart::Income, 3, QStringLiteral("Sales"));
    books::addFolder(t.db, 1, QStringLiteral("Shop"));
    SettingsRecord settings;
    settings.FyMonth = 7;
    settings.FyDay = 1;
    settings.FontName = QStringLiteral("Courier New");
    settings.FontSize = 10;
    settings.GSTRate = 10;
    settings.GSTString = QStringLiteral("GST");
    storeSettings(t.db, settings);
    shell.start();
  }
  // A statement file named name in the fixture's folder holding text; its path.
  QString statement(const std::string& name, const char* text) {
    QFile file(QString::fromStdString(dir.file(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return file.fileName();
  }

  // Chooses path in the File menu's command and plays the user on the preview; question:
  // what the user is asked before it shows.
  void preview(const QString& path, std::function<void(BankPreviewWindow&)> act,
               std::function<void()> question = {}) {
    shell.ui.expectFileDialog(QStringLiteral("Import Bank Statement"), path);
    if (question) question();
    shell.ui.expectModal(QStringLiteral("bankPreviewWindow"),
                         [act](QDialog& dialog) { act(static_cast<BankPreviewWindow&>(dialog)); });
    shell.form->findChild<QAction*>(QStringLiteral("importBankAction"))->trigger();
  }
  long expenses() {
    return InterruptedImport::RecordCount(xbase::FileSystem::posix(), t.books.dir(),
                                          tables::kExpenses);
  }

  TestDatabase t;
  TestShell shell{t.books.dir()};
  TempDir dir;  // where the statements are written
};

TEST_F(BankWindows, TheUserChoosesAccountsSkipsALineAndImports) {
  preview(kUkStatement, [&](BankPreviewWindow& window) {
    PreviewModel& model = *window.model();
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(window.summaryLabel->text(),
              QStringLiteral("4 new, 0 already in the books, 0 ignored"));
    EXPECT_EQ(model.index(2, PreviewModel::Tax).data().toString(), QStringLiteral("8.02"));
    for (int row : {0, 1, 2, 3}) {
      model.setData(model.index(row, PreviewModel::Account), row == 1 ? 3 : 11);
      model.setData(model.index(row, PreviewModel::Folder), 1);
    }
    model.setData(model.index(3, PreviewModel::Skip), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(model.index(3, PreviewModel::Status).data().toString(), QStringLiteral("ignored"));
    shell.ui.expectMessage(
        QStringLiteral("Imported 2 expense(s) and 1 income record(s); 1 line(s) not imported."));
    window.importButton->click();
  });
  EXPECT_EQ(expenses(), 2);
  // The same statement again: every imported line is already in the books.
  preview(kUkStatement, [](BankPreviewWindow& window) {
    EXPECT_EQ(window.summaryLabel->text(),
              QStringLiteral("1 new, 3 already in the books, 0 ignored"));
    window.cancelButton->click();
  });
}

TEST_F(BankWindows, DatesEitherWayRoundAreAskedAbout) {
  const QString path = statement("march.csv", "Date,Description,Amount\n03/04/2024,Shop,-5.00\n");
  preview(
      path,
      [](BankPreviewWindow& window) {
        EXPECT_EQ(window.plan().lines[0].line.date, QDate(2024, 3, 4));
        window.cancelButton->click();
      },
      [this] {
        shell.ui.expectMessage(
            Prompts::Type::Confirmation, Prompts::Buttons::YesNo,
            QStringLiteral("Are the dates of this statement written day first, as "
                           "31/12/2024?\r\nYes: day first. No: month first (12/31/2024)."),
            Prompts::Answer::No);
      });
}

TEST_F(BankWindows, ABadLineRefusesTheFileNamingIt) {
  const QString path = statement(
      "bad.csv", "Date,Description,Amount\n2024-01-02,A,1\n2024-01-03,B,x\n2024-01-04,C,2\n");
  shell.ui.expectFileDialog(QStringLiteral("Import Bank Statement"), path);
  shell.ui.expectMessage(
      QStringLiteral("bad.csv cannot be imported.\r\nLine 3: 'x' is not an amount"));
  shell.form->findChild<QAction*>(QStringLiteral("importBankAction"))->trigger();
  EXPECT_EQ(expenses(), 0);
}

TEST_F(BankWindows, ColumnsTheUserGivesAreReadAndSavedAsTheBanksProfile) {
  const QString path =
      statement("odd.csv", "When;Sum;What\n2024-04-02;-12,50;Bakery\n2024-04-03;-7,00;Kiosk\n");
  preview(path, [&](BankPreviewWindow& window) {
    EXPECT_EQ(window.model()->rowCount(), 0);
    EXPECT_TRUE(
        window.summaryLabel->text().startsWith(QStringLiteral("The columns are not known")));
    window.columnMapping->dateSpin->setValue(1);
    window.columnMapping->amountSpin->setValue(2);
    window.columnMapping->descriptionSpin->setValue(3);
    window.readAgainButton->click();
    ASSERT_EQ(window.model()->rowCount(), 2);
    EXPECT_DOUBLE_EQ(window.plan().lines[0].line.amount, -12.5);
    EXPECT_EQ(window.plan().lines[1].line.description, QStringLiteral("Kiosk"));
    window.profileNameEdit->setText(QStringLiteral("Odd Bank"));
    window.saveProfileButton->click();
    EXPECT_EQ(window.profileBox->currentText(), QStringLiteral("Odd Bank"));
    window.cancelButton->click();
  });
  const auto profile = BankTables::FindProfile(shell.db(), QStringLiteral("odd bank"));
  ASSERT_TRUE(profile.has_value());
  EXPECT_EQ(profile->separator, QLatin1Char(';'));
  EXPECT_EQ(profile->descriptionColumn, 3);
}

TEST_F(BankWindows, ARuleMadeFromALineClassifiesItsLikes) {
  preview(kUkStatement, [&](BankPreviewWindow& window) {
    window.linesView->setCurrentIndex(window.model()->index(0, PreviewModel::Description));
    shell.ui.expectModal(QStringLiteral("bankRuleEditor"), [](QDialog& dialog) {
      auto& editor = static_cast<RuleEditor&>(dialog);
      EXPECT_EQ(editor.patternEdit->text(), QStringLiteral("COSTA COFFEE LONDON"));
      editor.patternEdit->setText(QStringLiteral("costa"));
      editor.accountBox->setCurrentIndex(editor.accountBox->findData(12));
      editor.okButton->click();
    });
    window.makeRuleButton->click();
    for (int row : {0, 3}) {
      EXPECT_EQ(window.plan().lines[static_cast<std::size_t>(row)].account, 12);
      EXPECT_EQ(window.plan().lines[static_cast<std::size_t>(row)].folder, 1);
    }
    EXPECT_EQ(window.plan().lines[2].account, 0);
    window.cancelButton->click();
  });
  ASSERT_EQ(BankTables::LoadRules(shell.db()).size(), 1u);
}

TEST_F(BankWindows, RulesAreReorderedAndDeletedInTheRulesWindow) {
  BankRule first, second;
  first.pattern = QStringLiteral("first");
  second.pattern = QStringLiteral("second");
  for (BankRule* r : {&first, &second}) r->account = 11, r->folder = 1;
  ASSERT_TRUE(BankTables::SaveRules(shell.db(), {first, second}));
  shell.ui.expectModal(QStringLiteral("bankRulesWindow"), [](QDialog& dialog) {
    auto& window = static_cast<BankRulesWindow&>(dialog);
    ASSERT_EQ(window.rulesGrid->rowCount(), 2);
    window.rulesGrid->selectRow(0);
    window.moveDownButton->click();
    EXPECT_EQ(window.rulesGrid->item(1, 0)->text(), QStringLiteral("first"));
    window.rulesGrid->selectRow(0);
    window.deleteButton->click();
    window.findChild<HelpButton*>()->click();
    window.closeButton->click();
  });
  shell.form->findChild<QAction*>(QStringLiteral("bankRulesAction"))->trigger();
  EXPECT_EQ(BankTables::LoadRules(shell.db()), std::vector<BankRule>{first});
  EXPECT_EQ(shell.ui.helpContexts, QList<int>{525});
}

TEST_F(BankWindows, AnUnusableRuleIsRefusedWithItsReason) {
  RuleEditor editor(shell.ui);
  BankRule rule;
  shell.ui.expectModal(QStringLiteral("bankRuleEditor"), [&](QDialog&) {
    editor.patternEdit->setText(QStringLiteral("(unclosed"));
    editor.regexCheck->setChecked(true);
    shell.ui.expectMessage(
        QStringLiteral("The pattern is not a regular expression: missing closing parenthesis."));
    editor.okButton->click();
    EXPECT_EQ(editor.result(), QDialog::Rejected);
    editor.cancelButton->click();
  });
  EXPECT_FALSE(editor.edit(rule, BookChoices::Read(shell.db())));
}

}  // namespace
