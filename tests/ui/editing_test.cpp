#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include "model/presets.h"
#include "ui/config_dialogs.h"
#include "ui/dialog_parts.h"
#include "ui/filter_dialogs.h"
#include "ui/game_dialogs.h"
#include "ui/layout_dialogs.h"
#include "ui_fixture.h"

namespace lumiquad {

using test::Frame;
using Message = test::RecordingPrompter::Message;

class EditingTest : public QObject {
  Q_OBJECT
 private slots:
  void clicksStepSquaresRoundTheKindsOutsideAGame();
  void clearUndoAndDefaultAreRefusedDuringAGame();
  void twentyLayoutsAreKeptThenChosenAndDeleted();
  void theBonusDialogTakesOneToNineThousandNineHundredNinetyNine();
  void theNamesDialogTakesOneToEightCharacters();
  void theLetterValuesDialogSetsOneLetterOrAPreset();
  void theFrequencyDialogShowsTheNewBag();
  void theFilterDialogNeedsThePassword();
  void theGameOverDialogCanOnlyBeLeftByItsButtons();
};

void EditingTest::clicksStepSquaresRoundTheKindsOutsideAGame() {
  Frame f;
  const QPoint square = f.SquareCentre(0, 1);  // plain on the Lumiquad board
  std::string seen;
  for (int i = 0; i < 9; ++i) {
    QTest::mouseClick(&f.View(), Qt::LeftButton, Qt::NoModifier, square);
    seen += f.Engine().GetBoard().Cell(0, 1).character;
  }
  QCOMPARE(seen, std::string("=~*$#%&|."));
  QTest::mouseClick(&f.View(), Qt::LeftButton, Qt::NoModifier, square);
  QTest::mouseClick(&f.View(), Qt::RightButton, Qt::NoModifier, square);
  QCOMPARE(f.Engine().GetBoard().Cell(0, 1).character, '.');
  QTest::mouseClick(&f.View(), Qt::RightButton, Qt::NoModifier, square);
  QCOMPARE(f.Engine().GetBoard().Cell(0, 1).character, '|');

  f.frame->Command(25373)->trigger();  // clear
  QCOMPARE(f.Engine().GetBoard().LayoutString(), std::string(225, '.'));
  f.frame->Command(25374)->trigger();  // undo clear
  QCOMPARE(f.Engine().GetBoard().Cell(0, 1).character, '|');
  QCOMPARE(f.Engine().GetBoard().Cell(7, 1).character, '*');
  f.frame->Command(25375)->trigger();  // default
  QCOMPARE(f.Engine().GetBoard().Cell(0, 1).character, '.');
  QVERIFY(f.prompter.messages.empty());
}

void EditingTest::clearUndoAndDefaultAreRefusedDuringAGame() {
  Frame f;
  f.StartWithRack("CATSXYZ");
  for (int id : {25373, 25374, 25375, 25376, 25377}) f.frame->Command(id)->trigger();
  QCOMPARE(f.prompter.messages.size(), std::size_t{5});
  QCOMPARE(f.prompter.messages[0].text,
           std::string("Clearing the board is not allowed during a game"));
  QCOMPARE(f.prompter.messages[3].caption, std::string("Save Error"));
  QTest::mouseClick(&f.View(), Qt::LeftButton, Qt::NoModifier, f.SquareCentre(0, 1));
  QCOMPARE(f.Engine().GetBoard().Cell(0, 1).character, '.');
}

void EditingTest::twentyLayoutsAreKeptThenChosenAndDeleted() {
  Frame f;
  Board& board = f.Engine().GetBoard();
  auto save = [&](const std::string& name) {
    SaveBoardDialog dialog(board, f.prompter);
    dialog.findChild<QLineEdit*>("name")->setText(QString::fromStdString(name));
    QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
    return dialog.result() == QDialog::Accepted;
  };
  QVERIFY(!save(""));  // an empty name does nothing
  QVERIFY(f.prompter.messages.empty());
  // A name is held to what the settings keep.
  QVERIFY(save(std::string(300, 'n')));
  QCOMPARE(board.GetLayoutNames()[0], std::string(kMaxTypedText, 'n'));
  board.DeleteLayout(board.GetLayoutNames()[0]);
  f.prompter.messages.clear();
  for (int i = 1; i <= 20; ++i) {
    board.SetSquareKind(0, 0, i % 2 ? '$' : '#');
    QVERIFY(save("Layout " + std::to_string(i)));
  }
  QCOMPARE(f.prompter.messages.back(),
           (Message{"You have saved the current board layout with the name Layout 20", "Save",
                    MessageIcon::None, false}));
  QVERIFY(!save("One more"));
  QCOMPARE(f.prompter.messages.back().text,
           std::string("Unable to save board layout as only a maximum of twenty board layouts "
                       "can be saved. Please delete one."));
  QVERIFY(!save("Layout 3"));
  QCOMPARE(f.prompter.messages.back().text,
           std::string("Unable to save board layout as the chosen name is not unique"));

  ChooseBoardDialog choose(board, [] {});
  auto* names = choose.findChild<QListWidget*>("names");
  QCOMPARE(names->count(), 20);
  QCOMPARE(names->item(0)->text(), QString("Layout 1"));
  QCOMPARE(names->item(1)->text(), QString("Layout 10"));  // kept in the list's sort order
  // The list opens with nothing chosen; the row Qt makes current on focus is not a choice.
  choose.show();
  names->setFocus();
  names->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  const std::string before = board.LayoutString();
  QTest::mouseClick(choose.findChild<QPushButton*>("select"), Qt::LeftButton);
  QTest::mouseClick(choose.findChild<QPushButton*>("delete"), Qt::LeftButton);
  QCOMPARE(names->count(), 20);
  QCOMPARE(board.LayoutString(), before);
  names->setCurrentRow(1);
  QTest::mouseClick(choose.findChild<QPushButton*>("select"), Qt::LeftButton);
  QCOMPARE(board.Cell(0, 0).character, '#');
  QCOMPARE(board.defaultboard, std::string("Layout 10"));
  QTest::mouseClick(choose.findChild<QPushButton*>("delete"), Qt::LeftButton);
  QCOMPARE(names->count(), 19);
  QCOMPARE(board.defaultboard, std::string());
  QVERIFY(save("One more"));
  QCOMPARE(board.GetLayoutNames()[19], std::string("One more"));
}

void EditingTest::theBonusDialogTakesOneToNineThousandNineHundredNinetyNine() {
  Frame f;
  int repaints = 0;
  int closed = 0;
  auto enter = [&](const char* text) {
    BonusDialog dialog(f.Engine(), f.prompter, [&] { ++repaints; });
    dialog.findChild<QLineEdit*>("bonus")->setText(text);
    QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
    closed += dialog.result() == QDialog::Accepted ? 1 : 0;  // it closes whatever was typed
    return f.prompter.messages.back();
  };
  const Message invalid{"Invalid input string, must be an integer", "Invalid value",
                        MessageIcon::None, false};
  for (const char* bad : {"0", "", "5a", "-5", "10000", "99999999999999999999"}) {
    QCOMPARE(enter(bad), invalid);
  }
  QCOMPARE(f.Engine().Bonus(), 50);
  QCOMPARE(repaints, 0);
  QCOMPARE(enter("007"),
           (Message{"You have set the bonus to 007", "Bonus", MessageIcon::None, false}));
  QCOMPARE(f.Engine().Bonus(), 7);
  QCOMPARE(
      std::get<std::int32_t>(*FindSettingsValue(f.store.Key("Software\\Lumiquad\\Move"), "Bonus")),
      7);
  QCOMPARE(enter("9999").text, std::string("You have set the bonus to 9999"));
  QCOMPARE(repaints, 2);
  QCOMPARE(closed, 8);
}

void EditingTest::theNamesDialogTakesOneToEightCharacters() {
  Frame f;
  auto enter = [&](const char* text, const char* button) {
    NamesDialog dialog(f.Engine(), f.prompter, [] {});
    dialog.findChild<QLineEdit*>("name")->setText(text);
    QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    return f.prompter.messages.back();
  };
  QCOMPARE(enter("NineChars", "computer"), (Message{"Input string must be 1-8 characters long",
                                                    "Invalid value", MessageIcon::None, false}));
  QCOMPARE(enter("", "human").text, std::string("Input string must be 1-8 characters long"));
  QCOMPARE(f.Engine().Computer().Name(), std::string("Vazovi"));
  QCOMPARE(enter("        ", "human"),
           (Message{"You have set your name to         ", "Your Name", MessageIcon::None, false}));
  QCOMPARE(enter("Hal", "computer"), (Message{"You have set the program name to Hal",
                                              "Program Name", MessageIcon::None, false}));
  QCOMPARE(f.Engine().Computer().Name(), std::string("Hal"));
  QCOMPARE(f.Engine().Human().Name(), std::string("        "));
  QCOMPARE(std::get<std::string>(
               *FindSettingsValue(f.store.Key("Software\\Lumiquad\\Player"), "computer")),
           std::string("Hal"));
}

void EditingTest::theLetterValuesDialogSetsOneLetterOrAPreset() {
  Frame f;
  Board& board = f.Engine().GetBoard();
  LetterValuesDialog dialog(f.Engine(), f.prompter, [] {});
  auto* presets = dialog.findChild<QComboBox*>("presets");
  auto* letters = dialog.findChild<QComboBox*>("letters");
  auto* values = dialog.findChild<QComboBox*>("values");
  auto* current = dialog.findChild<QListWidget*>("current");
  auto* apply = dialog.findChild<QPushButton*>("apply");
  QCOMPARE(current->count(), 26);
  QCOMPARE(current->item(16)->text(), QString("Q 10"));
  QCOMPARE(values->count(), 21);
  // A letter, a value and a preset: only the letter changes.
  letters->setCurrentIndex(16);
  values->setCurrentIndex(3);
  presets->setCurrentIndex(1);
  QTest::mouseClick(apply, Qt::LeftButton);
  QCOMPARE(board.LetterValue('Q'), 3);
  QCOMPARE(board.LetterValue('A'), 1);
  QCOMPARE(current->item(16)->text(), QString("Q 3"));
  QCOMPARE(letters->currentIndex(), -1);
  QVERIFY(f.prompter.messages.empty());
  // A preset alone.
  presets->setCurrentIndex(1);
  QTest::mouseClick(apply, Qt::LeftButton);
  QCOMPARE(board.LetterValue('Q'), 20);
  QCOMPARE(f.prompter.messages.back(),
           (Message{"Higher values preset applied", "Information", MessageIcon::None, false}));
  // Defaults, then Undo Defaults twice: the values come back both times.
  QTest::mouseClick(dialog.findChild<QPushButton*>("defaults"), Qt::LeftButton);
  QCOMPARE(board.LetterValue('Q'), 10);
  QTest::mouseClick(dialog.findChild<QPushButton*>("undo"), Qt::LeftButton);
  QCOMPARE(board.LetterValue('Q'), 20);
  QTest::mouseClick(dialog.findChild<QPushButton*>("undo"), Qt::LeftButton);
  QCOMPARE(board.LetterValue('Q'), 20);
  // Only a letter and no value: nothing happens.
  letters->setCurrentIndex(0);
  QTest::mouseClick(apply, Qt::LeftButton);
  QCOMPARE(board.LetterValue('A'), 5);
}

void EditingTest::theFrequencyDialogShowsTheNewBag() {
  Frame f;
  FrequencyDialog dialog(f.Engine(), f.prompter, [] {});
  auto* presets = dialog.findChild<QComboBox*>("presets");
  QCOMPARE(presets->count(), 6);
  QCOMPARE(presets->itemText(5), QString("Literati Setting"));
  const std::string before = f.Engine().GetBag().GetContents(true);
  QTest::mouseClick(dialog.findChild<QPushButton*>("apply"), Qt::LeftButton);
  QVERIFY(f.prompter.messages.empty());  // no choice: nothing changes
  QCOMPARE(f.Engine().GetBag().GetContents(true), before);
  presets->setCurrentIndex(1);
  QTest::mouseClick(dialog.findChild<QPushButton*>("apply"), Qt::LeftButton);
  const std::string text = f.prompter.messages.back().text;
  QCOMPARE(f.prompter.messages.back().caption, std::string("Lumiquad"));
  QVERIFY(text.rfind("Letters in the game will be:\n\n??AAAAAAAAABBCCDDDD\nEEEE", 0) == 0);
  QCOMPARE(std::count(text.begin(), text.end(), '\n'), 1 + 6);  // 100 letters, 19 a line
  QCOMPARE(f.Engine().GetBag().Frequencies(), FrequencyPresets()[1].counts);
}

void EditingTest::theFilterDialogNeedsThePassword() {
  Frame f;
  f.frame->Settings().pass = "Secret";
  FoulDialog dialog(f.frame->Settings(), f.Engine(), f.prompter);
  auto* password = dialog.findChild<QLineEdit*>("password");
  QCOMPARE(password->echoMode(), QLineEdit::Password);
  dialog.findChild<QCheckBox*>("filter")->setChecked(true);
  password->setText("secret");
  QTest::mouseClick(dialog.findChild<QPushButton*>("setFilter"), Qt::LeftButton);
  QCOMPARE(f.prompter.messages.back().text, std::string("Password incorrect, no changes applied"));
  QVERIFY(!f.Engine().Filter());
  password->setText("Secret");
  QTest::mouseClick(dialog.findChild<QPushButton*>("setFilter"), Qt::LeftButton);
  QCOMPARE(f.prompter.messages.back().caption, std::string("Language Filtered"));
  QVERIFY(f.Engine().Filter());
  QCOMPARE(f.frame->Settings().filter, 1);

  PasswordDialog change(f.frame->Settings(), f.prompter);
  change.findChild<QLineEdit*>("password")->setText(QString(300, 'p'));
  QCOMPARE(change.findChild<QLineEdit*>("password")->text().size(), kMaxTypedText);
  change.findChild<QLineEdit*>("old")->setText("Secret");
  change.findChild<QLineEdit*>("password")->setText("xy");
  change.findChild<QLineEdit*>("again")->setText("xy");
  QTest::mouseClick(change.findChild<QPushButton*>("setPassword"), Qt::LeftButton);
  QCOMPARE(f.prompter.messages.back().caption, std::string("Password protection"));
  QCOMPARE(f.frame->Settings().pass, std::string("xy"));
}

void EditingTest::theGameOverDialogCanOnlyBeLeftByItsButtons() {
  GameOverDialog dialog;
  QCOMPARE(dialog.windowTitle(), QString("Game over"));
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  QVERIFY(dialog.isVisible());
  dialog.close();
  QVERIFY(dialog.isVisible());
  QPushButton* review = nullptr;
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    QVERIFY(button->text().contains('&'));  // each has its key
    if (button->text().remove('&') == "Review") review = button;
  }
  QVERIFY(review != nullptr);
  QTest::mouseClick(review, Qt::LeftButton);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(int(dialog.Choice()), int(GameOverChoice::Review));
  // Enter plays again.
  GameOverDialog again;
  again.show();
  QTest::keyClick(&again, Qt::Key_Return);
  QVERIFY(!again.isVisible());
  QCOMPARE(int(again.Choice()), int(GameOverChoice::PlayAgain));
}

int RunEditingTests(int argc, char** argv) {
  EditingTest tests;
  return QTest::qExec(&tests, argc, argv);
}

}  // namespace lumiquad

#include "editing_test.moc"
