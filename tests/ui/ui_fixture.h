#pragma once

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtTest/QtTest>

#include <fstream>
#include <memory>

#include "game/game_engine.h"
#include "recording_prompter.h"
#include "support/first_mover.h"
#include "ui/board_view.h"
#include "ui/main_frame.h"

namespace lumiquad::test {

// The real main window over settings in memory and a small word list, with a recorder in
// place of the user at every message box.
struct Frame {
  explicit Frame(bool small = false) {
    const std::string words = folder.filePath("words.txt").toStdString();
    std::ofstream(words) << "CAT\nCATS\nAT\nTA\nACT\nDOG\nDOGS\nGOD\nTO\nDO\nGO\nOD\nAD\nQI\n"
                            "SAT\nTAD\nGAT\nTOG\nDOT\nCOT\nAGO\nTAG\nGAD\nSAG\nZA\nAX\nOX\n";
    PutSettingsValue(store.Key("Software\\Lumiquad\\Win"), "dictionary", words);
    clock.Set(SecondWhereFirst(true));
    frame = std::make_unique<MainFrame>(store, clock, moveConfig, prompter, small);
    frame->show();
  }

  BoardView& View() { return frame->View(); }
  GameEngine& Engine() { return frame->Engine(); }
  const ViewGeometry& Geometry() { return View().Geometry(); }

  // The centre of a board square, in the view's pixels.
  QPoint SquareCentre(int row, int column) {
    const ViewGeometry& g = Geometry();
    return {g.boardLeft + column * g.square + g.square / 2,
            g.boardTop + row * g.square + g.square / 2};
  }
  QPoint SlotCentre(int slot) {
    const ViewGeometry& g = Geometry();
    return {g.SlotX(slot) + g.square / 2, g.RackTop() + g.square / 2};
  }
  // The centre of the first rack tile showing `letter`.
  QPoint RackTile(char letter) {
    for (const Piece& piece : View().Pieces()) {
      if (piece.letter == letter && piece.state == Piece::OnRack) {
        return {piece.x + piece.size / 2, piece.y + piece.size / 2};
      }
    }
    return {-1, -1};
  }
  // A drag with the mouse: press, moves (only every second move moves the tile, so the last
  // three all end where the drag ends), release.
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&View(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&View(), (from + to) / 2);
    for (int i = 0; i < 3; ++i) QTest::mouseMove(&View(), to);
    QTest::mouseRelease(&View(), Qt::LeftButton, Qt::NoModifier, to);
  }
  // A new game with the human's rack as given.
  void StartWithRack(const std::string& rack, const std::string& computer = "QQQQQQQ") {
    frame->Command(4001)->trigger();
    Engine().Human().rack = rack;
    Engine().Computer().rack = computer;
    frame->TilesChanged();
    frame->ClearLog();
  }
  int CountPieces(int state) {
    int count = 0;
    for (const Piece& piece : View().Pieces()) count += piece.state == state ? 1 : 0;
    return count;
  }

  QTemporaryDir folder;
  MemorySettingsStore store;
  FixedClock clock;
  CMoveRegConfig moveConfig{store};
  RecordingPrompter prompter;
  std::unique_ptr<MainFrame> frame;
};

}  // namespace lumiquad::test
