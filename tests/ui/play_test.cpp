#include <QtGui/QAction>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

#include <functional>

#include "ui_fixture.h"

namespace lumiquad {

using test::Frame;

class PlayTest : public QObject {
  Q_OBJECT
 private slots:
  void theWindowOpensAsTheCommandTableSays();
  void tilesDraggedOntoSquaresAreSubmittedAndScored();
  void aRejectedWordPutsTheTilesBack();
  void aLooseTileIsRefusedWithTheSnapMessage();
  void theRackMakesRoomForADroppedTile();
  void rightClicksMarkRackTilesForAChange();
  void theStatusBarNamesTheSquareUnderThePointer();
  void theWindowShowsTheSchemeSquaresAndTiles();
  void aDictionaryThatCannotBeLoadedIsRefused();
  void theTilesShownAreAlwaysThoseOfTheGameInForce();
  void typingLaysWhatDraggingLays();
  void theHelpCommandsWorkInTheWindow();
  void theChampionThinksWhileTheWindowStaysResponsive();
};

void PlayTest::theWindowOpensAsTheCommandTableSays() {
  // Never larger than the screen's free area; as stored where it fits.
  QCOMPARE(MainFrame::StartingSize({900, 735}, QRect(0, 0, 1280, 680)), QSize(900, 635));
  QCOMPARE(MainFrame::StartingSize({900, 735}, QRect(0, 0, 1920, 1050)), QSize(900, 735));
  Frame f;
  QCOMPARE(f.frame->windowTitle(), QString("Welcome To Lumiquad!"));
  QStringList menus;
  // Texts as they read; the '&' marks a mnemonic.
  for (QAction* action : f.frame->menuBar()->actions()) menus << action->text().remove('&');
  QCOMPARE(menus, (QStringList{"File", "Play", "Configure", "Choose Game", "Help", "View"}));
  // The buttons of play mode are on, those of review mode off.
  for (int id : {50012, 50016, 50017, 50018}) QVERIFY(f.frame->Button(id)->isEnabled());
  for (int id : {50010, 50011, 50013, 50014, 50015}) QVERIFY(!f.frame->Button(id)->isEnabled());
  QCOMPARE(f.frame->Button(50016)->text(), QString("Submit"));
  QCOMPARE(f.frame->Button(50016)->size(), QSize(55, 25));
  // Exactly one colour and one level are checked: the stored ones.
  QVERIFY(f.frame->Command(11000)->isChecked());
  QVERIFY(f.frame->Command(44542)->isChecked());
  f.frame->Command(11002)->trigger();
  QVERIFY(f.frame->Command(11002)->isChecked());
  QVERIFY(!f.frame->Command(11000)->isChecked());
  QCOMPARE(f.frame->Settings().color, 2);
  f.frame->Command(12903)->trigger();
  QCOMPARE(f.Engine().Level(), 50);
  QVERIFY(!f.frame->Command(44542)->isChecked());
  f.frame->Command(54534)->trigger();
  QCOMPARE(f.Engine().Level(), 10);
  QCOMPARE(f.frame->Settings().level, 9);
  // The small screen's geometry.
  Frame small(true);
  QCOMPARE(small.Geometry().RackLeft(), 193);
  QCOMPARE(small.Geometry().RackTop(), 425);
  QCOMPARE(small.frame->Button(50016)->width(), 43);
}

void PlayTest::tilesDraggedOntoSquaresAreSubmittedAndScored() {
  Frame f;
  f.StartWithRack("CATSXYZ", "DOGQQQQ");
  QCOMPARE(f.CountPieces(Piece::OnRack), 7);
  f.Drag(f.RackTile('C'), f.SquareCentre(7, 7));
  f.Drag(f.RackTile('A'), f.SquareCentre(7, 8));
  f.Drag(f.RackTile('T'), f.SquareCentre(7, 9));
  QCOMPARE(f.CountPieces(Piece::OnSquare), 3);
  QTest::mouseClick(f.frame->Button(50016), Qt::LeftButton);

  QCOMPARE(f.Engine().Human().score, 8);
  QVERIFY(f.frame->LogText().rfind("\n\nPlayer 1:\n(8H,across) CAT = 8\n", 0) == 0);
  QVERIFY(f.frame->Log()->toPlainText().startsWith("\n\nPlayer 1:\n(8H,across) CAT = 8"));
  QCOMPARE(f.Engine().GetBoard().Cell(7, 9).character, 'T');
  // CAT and whatever the computer laid are fixed tiles now; the rack is full again.
  int fixed = 0;
  for (int r = 0; r < 15; ++r) {
    for (int c = 0; c < 15; ++c) fixed += f.Engine().GetBoard().Cell(r, c).HasTile() ? 1 : 0;
  }
  QCOMPARE(f.CountPieces(Piece::Fixed), fixed);
  QCOMPARE(f.CountPieces(Piece::OnRack), 7);
  QCOMPARE(f.CountPieces(Piece::OnSquare), 0);
}

void PlayTest::aRejectedWordPutsTheTilesBack() {
  Frame f;
  f.StartWithRack("CATSXYZ");
  f.Drag(f.RackTile('X'), f.SquareCentre(7, 7));
  f.Drag(f.RackTile('Y'), f.SquareCentre(7, 8));
  QTest::mouseClick(f.frame->Button(50016), Qt::LeftButton);
  QCOMPARE(f.frame->LogText(), std::string("\n\nPlayer 1:\nXY. : CHALLENGED\n"));
  QCOMPARE(f.CountPieces(Piece::OnRack), 7);
  QCOMPARE(f.CountPieces(Piece::OnSquare), 0);
  QVERIFY(f.prompter.messages.empty());
  QCOMPARE(f.Engine().History().size(), std::size_t{1});
}

void PlayTest::aLooseTileIsRefusedWithTheSnapMessage() {
  Frame f;
  f.StartWithRack("CATSXYZ");
  f.Drag(f.RackTile('C'), f.SquareCentre(7, 7));
  // A is dropped on the C: blocked, it stays loose where it was let go.
  f.Drag(f.RackTile('A'), f.SquareCentre(7, 7));
  QCOMPARE(f.CountPieces(Piece::Held), 1);
  QTest::mouseClick(f.frame->Button(50016), Qt::LeftButton);
  QCOMPARE(f.prompter.messages.size(), std::size_t{1});
  QCOMPARE(f.prompter.messages[0].text,
           std::string("Tiles must be snapped on the grid and placed next to each other"));
  QCOMPARE(f.prompter.messages[0].caption, std::string("Invalid move"));
  QCOMPARE(f.frame->StatusText(), QString("The Move was invalid"));
  QCOMPARE(f.CountPieces(Piece::OnSquare), 1);  // the tiles stay where the user left them
  QCOMPARE(f.CountPieces(Piece::Held), 1);
  // Gather Tiles brings both back; nothing was lost.
  f.frame->Command(4004)->trigger();
  QCOMPARE(f.CountPieces(Piece::OnRack), 7);
}

void PlayTest::theRackMakesRoomForADroppedTile() {
  // The drop rules on a rack of pieces, as the view keeps them.
  const ViewGeometry g = ViewGeometry::For(false);
  auto rackOf = [&](std::vector<int> filled) {
    std::vector<Piece> pieces;
    for (int slot : filled) {
      Piece piece;
      piece.x = g.SlotX(slot);
      piece.y = g.RackTop();
      piece.state = Piece::OnRack;
      piece.letter = static_cast<char>('A' + slot);
      pieces.push_back(piece);
    }
    return pieces;
  };
  std::vector<Piece> pieces = rackOf({2, 3, 4, 6});
  Piece dropped;
  dropped.letter = 'Z';
  dropped.x = g.SlotX(2) + 5;
  dropped.y = g.RackTop() - 10;
  dropped.state = Piece::Held;
  pieces.push_back(dropped);
  DropOnRack(pieces, 4, g);
  QCOMPARE(SlotOf(pieces[4], g), 2);
  QCOMPARE(SlotOf(pieces[0], g), 3);  // 2, 3 and 4 moved one slot right into the free 5
  QCOMPARE(SlotOf(pieces[1], g), 4);
  QCOMPARE(SlotOf(pieces[2], g), 5);
  QCOMPARE(SlotOf(pieces[3], g), 6);

  pieces = rackOf({1, 2, 3, 4, 5, 6});  // nothing free to the right: the run to the left
  pieces.push_back(dropped);
  pieces.back().x = g.SlotX(4);
  DropOnRack(pieces, 6, g);
  QCOMPARE(SlotOf(pieces[6], g), 4);
  QCOMPARE(SlotOf(pieces[0], g), 0);
  QCOMPARE(SlotOf(pieces[3], g), 3);

  QCOMPARE(g.SlotAt(g.RackLeft() - 30, g.RackTop()), 0);  // just beyond either end
  QCOMPARE(g.SlotAt(g.RackLeft() - 31, g.RackTop()), -1);
  QCOMPARE(g.SlotAt(g.RackLeft() + 7 * 35 + 29, g.RackTop()), 6);

  // With the mouse: a tile dragged onto its neighbour's slot pushes it along.
  Frame f;
  f.StartWithRack("CATSXYZ");
  auto rackOrder = [&] {
    std::string rack;
    for (int slot = 0; slot < 7; ++slot) {
      for (const Piece& piece : f.View().Pieces()) {
        if (piece.state == Piece::OnRack && SlotOf(piece, f.Geometry()) == slot) {
          rack += piece.letter;
        }
      }
    }
    return QString::fromStdString(rack);
  };
  QString expected = rackOrder();
  expected.remove('Z');
  f.Drag(f.RackTile('Z'), f.SquareCentre(0, 0));
  f.Drag(f.SquareCentre(0, 0), f.SlotCentre(0));
  QCOMPARE(f.CountPieces(Piece::OnRack), 7);
  QCOMPARE(rackOrder(), "Z" + expected);
}

void PlayTest::rightClicksMarkRackTilesForAChange() {
  Frame f;
  f.StartWithRack("CATSXYZ");
  f.Drag(f.RackTile('C'), f.SquareCentre(7, 7));
  QTest::mouseClick(&f.View(), Qt::RightButton, Qt::NoModifier, f.SquareCentre(7, 7));
  QCOMPARE(f.View().MarkedLetters(), std::string());  // a tile on the board is never marked
  QTest::mouseClick(&f.View(), Qt::RightButton, Qt::NoModifier, f.RackTile('X'));
  QTest::mouseClick(&f.View(), Qt::RightButton, Qt::NoModifier, f.RackTile('Y'));
  QTest::mouseClick(&f.View(), Qt::RightButton, Qt::NoModifier, f.RackTile('Y'));  // unmarked
  QCOMPARE(f.View().MarkedLetters(), std::string("X"));
  QTest::mouseClick(f.frame->Button(50017), Qt::LeftButton);
  const Move& change = f.Engine().History().front().move;
  QVERIFY(change.isExchange);
  QCOMPARE(change.exchangedLetters, std::string("X"));
  QCOMPARE(f.CountPieces(Piece::OnRack), 7);  // the C came back from the board first
  QCOMPARE(f.View().MarkedLetters(), std::string());
  // At the keyboard: '-' starts marking, letters toggle marks, Enter changes them.
  f.StartWithRack("CATSXYZ");
  f.View().setFocus();
  QTest::keyClicks(&f.View(), "-xyy");
  QVERIFY(f.frame->StatusText().startsWith("Marking tiles for Change"));
  QCOMPARE(f.View().MarkedLetters(), std::string("X"));
  QTest::keyClick(&f.View(), Qt::Key_Return);
  QCOMPARE(f.Engine().History().front().move.exchangedLetters, std::string("X"));
}

void PlayTest::theStatusBarNamesTheSquareUnderThePointer() {
  Frame f;
  QTest::mouseMove(&f.View(), f.SquareCentre(0, 0));
  QCOMPARE(f.frame->StatusText(), QString("Column = 1 Row = A"));
  QTest::mouseMove(&f.View(), f.SquareCentre(14, 14));
  QCOMPARE(f.frame->StatusText(), QString("Column = 15 Row = O"));
  QTest::mouseMove(&f.View(), QPoint(5, 5));
  QCOMPARE(f.frame->StatusText(), QString());
}

void PlayTest::theWindowShowsTheSchemeSquaresAndTiles() {
  Frame f;
  f.StartWithRack("CATSXYZ");
  f.Drag(f.RackTile('C'), f.SquareCentre(3, 5));
  const QImage picture = f.View().grab().toImage();
  QCOMPARE(QColor(picture.pixel(112, 660)), QColor(34, 139, 34));  // the Green scheme
  // Row D, column 10 of the Lumiquad board is a double word square: pink.
  const QColor doubleWord(
      picture.pixel(f.SquareCentre(3, 9).x() + 10, f.SquareCentre(3, 9).y() + 10));
  QVERIFY2(doubleWord.red() > 200 && doubleWord.green() < 190 && doubleWord.blue() > 150,
           qPrintable(doubleWord.name()));
  // The dropped tile is yellow.
  const QColor tile(picture.pixel(f.SquareCentre(3, 5).x() + 12, f.SquareCentre(3, 5).y() - 12));
  QVERIFY(tile.red() > 200 && tile.green() > 170 && tile.blue() < 140);
  f.frame->Command(11007)->trigger();
  QCOMPARE(QColor(f.View().grab().toImage().pixel(112, 660)), QColor(255, 255, 254));
}

void PlayTest::aDictionaryThatCannotBeLoadedIsRefused() {
  Frame f;
  const std::string before = f.frame->Settings().dictionary;
  const std::string missing = f.folder.filePath("none.txt").toStdString();
  f.prompter.paths = {missing};
  f.frame->Command(4012)->trigger();
  QCOMPARE(f.prompter.messages.back().text, missing + " is not a valid path to a dictionary");
  QCOMPARE(f.prompter.messages.back().caption, std::string("Failure"));
  QCOMPARE(f.frame->Settings().dictionary, before);
  QVERIFY(f.Engine().MainWords().ContainsWord("CAT"));

  const std::string other = f.folder.filePath("other.txt").toStdString();
  std::ofstream(other) << "ZEBRA\n";
  f.prompter.paths = {other};
  f.frame->Command(4012)->trigger();
  QCOMPARE(f.prompter.messages.back().text,
           other + " \nhas been set as the dictionary for the game.");
  QCOMPARE(f.prompter.messages.back().caption, std::string("Dictionary confirmation"));
  QCOMPARE(f.frame->Settings().dictionary, other);
  QVERIFY(f.Engine().MainWords().ContainsWord("ZEBRA"));
}

void PlayTest::theTilesShownAreAlwaysThoseOfTheGameInForce() {
  Frame f;
  // A tile laid and not submitted goes with its game, even when the next rack holds the same
  // letter (the fixed clock deals the same rack again).
  f.frame->Command(4001)->trigger();
  const char letter = f.Engine().Human().rack[0];
  f.Drag(f.RackTile(letter), f.SquareCentre(2, 2));
  QCOMPARE(f.CountPieces(Piece::OnSquare), 1);
  f.frame->Command(4001)->trigger();
  QCOMPARE(f.CountPieces(Piece::OnSquare), 0);
  QCOMPARE(f.CountPieces(Piece::OnRack), 7);
  const std::string saved = f.folder.filePath("saved.lqg").toStdString();
  QVERIFY(f.Engine().SaveGameFile(saved));
  f.Drag(f.RackTile(letter), f.SquareCentre(2, 2));
  QVERIFY(f.Engine().LoadGameFile(saved));
  QCOMPARE(f.CountPieces(Piece::OnSquare), 0);

  // New letter values show at once on every tile.
  f.StartWithRack("CATSXYZ");
  f.Engine().GetBoard().SetLetterValue('Z' - 'A', 17);
  f.frame->Repaint(false);
  f.View().grab();
  for (const Piece& piece : f.View().Pieces()) {
    if (piece.letter == 'Z') QCOMPARE(piece.value, 17);
  }

  // A refused change keeps the marks.
  f.Engine().GetBag().SetContents("AB");
  for (char marked : {'X', 'Y', 'Z'}) {
    QTest::mouseClick(&f.View(), Qt::RightButton, Qt::NoModifier, f.RackTile(marked));
  }
  QTest::mouseClick(f.frame->Button(50017), Qt::LeftButton);
  QCOMPARE(f.prompter.messages.back().text,
           std::string("You cannot change as there not enough letters left"));
  QCOMPARE(f.View().MarkedLetters(), std::string("XYZ"));
  f.View().ClearMarks();

  // While a review runs, the frozen game's rack can be neither dragged nor marked.
  QTest::mouseClick(f.frame->Button(50012), Qt::LeftButton);
  QCOMPARE(f.Engine().State(), GameState::Reviewing);
  f.Drag(f.RackTile('C'), f.SquareCentre(7, 7));
  QTest::mouseClick(&f.View(), Qt::RightButton, Qt::NoModifier, f.RackTile('A'));
  QCOMPARE(f.CountPieces(Piece::OnRack), 7);
  QCOMPARE(f.View().MarkedLetters(), std::string());
}

void PlayTest::typingLaysWhatDraggingLays() {
  Frame dragged;
  dragged.StartWithRack("CATSXY?");
  dragged.Drag(dragged.RackTile('C'), dragged.SquareCentre(7, 7));
  dragged.Drag(dragged.RackTile('A'), dragged.SquareCentre(7, 8));
  dragged.Drag(dragged.RackTile('T'), dragged.SquareCentre(7, 9));

  Frame f;
  f.StartWithRack("CATSXY?");
  QTest::mouseClick(&f.View(), Qt::LeftButton, Qt::NoModifier, f.SquareCentre(7, 7));
  QCOMPARE(f.View().CursorRow(), 7);
  QTest::keyClicks(&f.View(), "cat");
  const TurnTiles typed = f.View().CollectTurnTiles();
  const TurnTiles expected = dragged.View().CollectTurnTiles();
  QCOMPARE(typed.snapped.size(), expected.snapped.size());
  for (std::size_t i = 0; i < typed.snapped.size(); ++i) {
    QCOMPARE(typed.snapped[i].row, expected.snapped[i].row);
    QCOMPARE(typed.snapped[i].column, expected.snapped[i].column);
    QCOMPARE(typed.snapped[i].letter, expected.snapped[i].letter);
  }
  QCOMPARE(f.View().Preview(), QString("CAT = 8"));
  QCOMPARE(dragged.View().Preview(), QString("CAT = 8"));
  QCOMPARE(f.View().CursorColumn(), 10);
  // No Q on the rack: the blank is laid and named at once; Backspace takes it back.
  QTest::keyClick(&f.View(), Qt::Key_Q);
  QCOMPARE(f.CountPieces(Piece::OnSquare), 4);
  QTest::keyClick(&f.View(), Qt::Key_Backspace);
  QCOMPARE(f.CountPieces(Piece::OnSquare), 3);
  QCOMPARE(f.RackTile('?').x() >= 0, true);
  // Down from the A: the blank named as S at once makes CAT and AS.
  QTest::keyClick(&f.View(), Qt::Key_Space);
  QVERIFY(f.View().CursorDown());
  QTest::keyClick(&f.View(), Qt::Key_Escape);  // Gather Tiles
  QCOMPARE(f.CountPieces(Piece::OnRack), 7);
  QTest::keyClicks(&f.View(), "cat");  // down from H11 now
  QCOMPARE(f.CountPieces(Piece::OnSquare), 3);
  QTest::keyClick(&f.View(), Qt::Key_Escape);
  QTest::mouseClick(&f.View(), Qt::LeftButton, Qt::NoModifier, f.SquareCentre(7, 7));
  QTest::keyClick(&f.View(), Qt::Key_Space);
  QTest::keyClicks(&f.View(), "cat");
  QTest::keyClick(&f.View(), Qt::Key_Return);  // Submit
  QCOMPARE(f.Engine().Human().score, 8);
  QCOMPARE(f.Engine().History().front().move.directionText, std::string("across"));
  // Down through the board's A: typing the whole word or only the rack's letters lays T and G.
  f.Engine().Human().rack = "GTXXXXX";
  f.frame->TilesChanged();
  for (const char* typed : {"tag", "tg"}) {
    QTest::mouseClick(&f.View(), Qt::LeftButton, Qt::NoModifier, f.SquareCentre(6, 8));
    if (!f.View().CursorDown()) QTest::keyClick(&f.View(), Qt::Key_Space);
    QTest::keyClicks(&f.View(), typed);
    std::string column = " A ";
    for (const TurnTile& tile : f.View().CollectTurnTiles().snapped) {
      QCOMPARE(tile.column, 8);
      column[static_cast<std::size_t>(tile.row - 6)] = tile.letter;
    }
    QCOMPARE(column, std::string("TAG"));
    QTest::keyClick(&f.View(), Qt::Key_Escape);
  }
}

void PlayTest::theHelpCommandsWorkInTheWindow() {
  Frame f;
  f.StartWithRack("CATSDOG", "XQQQQQQ");
  // Every shortcut is its own, and every button is on the Tab chain.
  QStringList shortcuts;
  for (QAction* action : f.frame->findChildren<QAction*>()) {
    if (!action->shortcut().isEmpty()) shortcuts << action->shortcut().toString();
  }
  QCOMPARE(QSet<QString>(shortcuts.begin(), shortcuts.end()).size(), shortcuts.size());
  for (int id = 50010; id <= 50018; ++id) {
    QVERIFY((f.frame->Button(id)->focusPolicy() & Qt::TabFocus) != 0);
  }
  // No two items of a menu share a key, and every item has one.
  std::function<void(QMenu*)> distinctKeys = [&](QMenu* menu) {
    QSet<QChar> keys;
    const QList<QAction*> items = menu != nullptr ? menu->actions() : f.frame->menuBar()->actions();
    for (QAction* item : items) {
      if (item->isSeparator()) continue;
      const qsizetype amp = item->text().indexOf('&');
      QVERIFY2(amp >= 0, qPrintable(item->text()));
      QVERIFY2(!keys.contains(item->text()[amp + 1].toLower()), qPrintable(item->text()));
      keys.insert(item->text()[amp + 1].toLower());
      if (item->menu() != nullptr && item->menu()->title() != "Recen&t Games") {
        distinctKeys(item->menu());
      }
    }
  };
  distinctKeys(nullptr);
  // Export GCG waits for a game with moves, without the menu being opened.
  QVERIFY(!f.frame->Command(MainFrame::kExportGcgCommand)->isEnabled());
  QVERIFY(!f.frame->Command(MainFrame::kTakeBackCommand)->isEnabled());
  // Hint: outlines and the move named; a second Hint lays it; Submit plays it.
  f.frame->Command(MainFrame::kHintCommand)->trigger();
  QVERIFY(!f.View().Hint().empty());
  QVERIFY(f.View().Preview().startsWith("Hint: "));
  QCOMPARE(f.CountPieces(Piece::OnSquare), 0);
  f.frame->Command(MainFrame::kHintCommand)->trigger();
  QVERIFY(f.View().Hint().empty());
  QVERIFY(f.CountPieces(Piece::OnSquare) > 0);
  const std::string before = f.Engine().GameText();
  QTest::mouseClick(f.frame->Button(50016), Qt::LeftButton);
  QVERIFY(f.Engine().Human().score > 0);
  QVERIFY(f.frame->Command(MainFrame::kExportGcgCommand)->isEnabled());
  QVERIFY(f.frame->Command(MainFrame::kTakeBackCommand)->isEnabled());
  // The computer's last move is outlined, standing out from its tiles in every scheme; with
  // the playing aids off the outline goes.
  QVERIFY(!f.Engine().LastComputerMove().empty());
  const TurnTile tile = f.Engine().LastComputerMove().front();
  const QPoint centre = f.SquareCentre(tile.row, tile.column);
  for (int scheme = 0; scheme < 8; ++scheme) {
    f.frame->SetColour(scheme);
    const QImage picture = f.View().grab().toImage();
    QVERIFY(ContrastRatio(QColor(picture.pixel(centre.x() - 16, centre.y())),
                          QColor(picture.pixel(centre.x() - 8, centre.y() + 12))) >= 3);
  }
  const QRgb outlined = f.View().grab().toImage().pixel(centre.x() - 16, centre.y());
  f.frame->Command(MainFrame::kPlayingAidsCommand)->trigger();
  QVERIFY(f.View().grab().toImage().pixel(centre.x() - 16, centre.y()) != outlined);
  f.frame->Command(MainFrame::kPlayingAidsCommand)->trigger();
  // A quick computer turn leaves the status pane as it was.
  f.frame->SetStatusText("as it was");
  f.frame->Command(4003)->trigger();  // Pass
  QCOMPARE(f.frame->StatusText(), QString("as it was"));
  f.frame->Command(MainFrame::kTakeBackCommand)->trigger();
  // Take Back: the game as it was before Submit.
  f.frame->Command(MainFrame::kTakeBackCommand)->trigger();
  QVERIFY(f.Engine().GameText() == before);
  // Check Word answers in its own message, the word trimmed; an empty entry is asked again.
  f.prompter.texts = {std::string("  "), std::string("dogs ")};
  f.frame->Command(MainFrame::kCheckWordCommand)->trigger();
  QCOMPARE(f.prompter.messages.back().text, std::string("DOGS is in the word list."));
  QVERIFY(f.prompter.texts.empty());
  // Closing the window keeps the game still in play; Resume Last Game brings it back.
  f.frame->close();
  const std::string kept = f.Engine().GameText();
  Frame next;
  QVERIFY(next.Engine().HasResumableGame());
  next.frame->Command(MainFrame::kResumeCommand)->trigger();
  QVERIFY(next.Engine().GameText() == kept);
  // The game goes on in a file of its own; the others are under File > Recent Games.
  QMenu* nextFile = next.frame->menuBar()->actions().front()->menu();
  emit nextFile->aboutToShow();
  QMenu* recent = next.frame->Command(MainFrame::kRecentGamesCommand)->menu();
  QCOMPARE(recent->actions().size(), static_cast<int>(next.Engine().RecentGames().size()));
  QVERIFY(nextFile->actions().back()->text() == "E&xit");
}

void PlayTest::theChampionThinksWhileTheWindowStaysResponsive() {
  Frame f;
  // The champion follows the levels in their menu, its thinking time last.
  QMenu* levels = nullptr;
  for (QMenu* menu : f.frame->findChildren<QMenu*>()) {
    if (menu->actions().contains(f.frame->Command(44465))) levels = menu;
  }
  QVERIFY(levels != nullptr);
  const QList<QAction*> items = levels->actions();
  QCOMPARE(items[items.size() - 2], f.frame->Command(MainFrame::kChampionCommand));
  QCOMPARE(items.back(), f.frame->Command(MainFrame::kChampionTimeCommand));
  f.frame->SetLevel(3);
  f.frame->Command(MainFrame::kChampionCommand)->trigger();
  QCOMPARE(f.Engine().Level(), kChampionLevel);
  QVERIFY(!f.frame->Command(44498)->isChecked());
  auto stored = [&](const char* name) {
    const std::optional<SettingsValues> view = f.store.OpenKey("Software\\Lumiquad\\View");
    const SettingsValue* value = view ? FindSettingsValue(*view, name) : nullptr;
    return value != nullptr ? std::get<std::int32_t>(*value) : -1;
  };
  QCOMPARE(stored("Champion"), 1);
  f.frame->SetChampionTime(150);
  QCOMPARE(stored("ChampionTime"), 150);
  // While it thinks, the window draws and takes timers, and no command or button can change
  // the game; afterwards all are as they were and the turn is complete.
  f.StartWithRack("CATSDOG", "TAGSDOC");
  bool thinking = false;
  bool allOff = false;
  // The champion answers as soon as one choice is clearly best: the window is looked at often.
  QTimer watch;
  watch.setInterval(1);
  QObject::connect(&watch, &QTimer::timeout, f.frame.get(), [&] {
    if (thinking || !f.frame->Thinking()) return;
    thinking = true;
    allOff = !f.frame->Command(4001)->isEnabled() && !f.frame->Button(50016)->isEnabled() &&
             !f.View().isEnabled();
    f.frame->close();  // waits for the answer
  });
  watch.start();
  const std::string before = f.Engine().GameText();
  f.frame->Command(4003)->trigger();  // Pass: the champion's turn follows
  watch.stop();
  QVERIFY(thinking);
  QVERIFY(allOff);
  QCOMPARE(f.Engine().History().size(), std::size_t{2});
  QVERIFY(f.frame->Command(4001)->isEnabled());
  QVERIFY(f.View().isEnabled());
  // Take Back undoes the pass and the champion's reply, as at every level.
  f.frame->Command(MainFrame::kTakeBackCommand)->trigger();
  QVERIFY(f.Engine().GameText() == before);
  QTRY_VERIFY(!f.frame->isVisible());  // the close asked for meanwhile, done after the turn
  // A level of the menu again: the champion is forgotten, the level remembered as before.
  f.frame->SetLevel(0);
  QCOMPARE(stored("Champion"), 0);
  QCOMPARE(f.Engine().Level(), 1);
}

int RunPlayTests(int argc, char** argv) {
  PlayTest tests;
  return QTest::qExec(&tests, argc, argv);
}

}  // namespace lumiquad

#include "play_test.moc"
