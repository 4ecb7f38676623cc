#pragma once

#include <QtGui/QFont>
#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>

#include <array>
#include <string>
#include <vector>

#include "rules/placement.h"
#include "ui/piece.h"
#include "ui/square_pictures.h"
#include "ui/view_geometry.h"
#include "ui/view_transform.h"

namespace lumiquad {

class GameEngine;

// The contrast of two colours as WCAG defines it: 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// The client area of the main window: the coloured background, the board of square pictures
// with its coordinate labels, the information lines and every tile. The human plays by
// dragging tiles here, or by typing them at the keyboard cursor; outside a game the mouse edits
// the squares' kinds.
class BoardView : public QWidget {
  Q_OBJECT
 public:
  BoardView(const ViewGeometry& geometry, QWidget* parent = nullptr);

  void SetEngine(GameEngine* engine) { engine_ = engine; }
  const ViewGeometry& Geometry() const { return geometry_; }
  // The view's size in the default window, where the layout is drawn at zoom 1.
  void SetBaseSize(QSize base);
  const ViewTransform& Transform() const { return transform_; }

  // The background colour scheme, 0 to 7.
  void SetColour(int index);
  int Colour() const { return colour_; }
  static QColor SchemeColour(int index);
  // The colour of text drawn on the scheme's background: the program's near-white where it
  // stands out (a contrast of 3 or more), else black.
  QColor ContrastColour() const;
  // The colour of a mark (an outline, the cursor) on a square: black or near-white, whichever
  // stands out more from the tile or the empty square under it, whatever the scheme.
  QColor MarkColour(int row, int column) const;
  // The aids the view adds to the game's picture (the last move's outline, the edge of tiles
  // laid this turn, the keyboard cursor before the keyboard is used, the preview line); off,
  // the view draws the game's picture alone.
  void SetPlayingAids(bool on);
  bool PlayingAids() const { return playingAids_; }
  // Rows numbered and columns lettered instead of the other way round.
  void SwapLabels() { labelsSwapped_ = !labelsSwapped_; }
  void SetThinking(bool thinking) { thinking_ = thinking; }
  // Discards the board picture so the next paint draws it anew.
  void RequestRepaint(bool boardOnly);

  // The tiles follow the game: fixed tiles from the board, the human's from the rack (those on
  // the board this turn stay where they lie).
  void SyncTiles();
  // Every tile view goes: a game was dealt, opened or closed.
  void ClearPieces();
  // The tiles laid this turn go back into free rack slots.
  void ReturnTurnTiles();
  // What Submit reads: the tiles snapped onto squares this turn, and whether any other tile of
  // the human's lies over the board.
  TurnTiles CollectTurnTiles() const;
  // The letters of the rack tiles marked for change, and clearing the marks.
  std::string MarkedLetters() const;
  void ClearMarks();
  const std::vector<Piece>& Pieces() const { return pieces_; }

  // The line under the rack: the preview of the turn, or the hint.
  void SetPreview(const QString& text);
  QString Preview() const { return preview_; }
  // A move shown as outlines on its squares until the tiles change.
  void ShowHint(std::vector<TurnTile> tiles);
  const std::vector<TurnTile>& Hint() const { return hint_; }
  // Lays the hint's tiles from the rack as if dragged; false when the rack lacks one.
  bool LayHint();

  // The keyboard cursor: its square and whether it runs down (else across), and what lies
  // there in words, for assistive technology: "8H, double letter, empty".
  QString CursorDescription() const;
  int CursorRow() const { return cursorRow_; }
  int CursorColumn() const { return cursorColumn_; }
  bool CursorDown() const { return cursorDown_; }

 signals:
  void StatusText(const QString& text);
  // The zoom changed: the controls beside the board move with it.
  void TransformChanged();
  // The tiles laid this turn changed: the preview follows.
  void TurnChanged();
  void SubmitRequested();
  void GatherRequested();
  void ChangeRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Refit();
  // A mouse position in the layout's pixels.
  QPoint LayoutPoint(const QMouseEvent* event) const;
  QRect SquareRect(int row, int column) const;
  void DrawBoardPicture();
  void DrawPiece(QPainter& painter, const Piece& piece) const;
  void DrawMarks(QPainter& painter) const;
  void Drop(std::size_t index, int x, int y);
  QFont Font(int points) const;
  int FreeSlot() const;
  int ValueOf(char letter) const;
  int ValueShown(const Piece& piece) const;
  bool IsHumanPiece(const Piece& piece) const { return piece.state != Piece::Fixed; }
  bool InPlay() const;
  // Whether a board tile or a tile laid this turn lies on the square.
  bool SquareTaken(int row, int column) const;
  // Puts a piece on a board square as a drop there does.
  void PlaceOnSquare(Piece& piece, int row, int column);
  // Sends a piece back to a free rack slot; a blank forgets its letter.
  void BackToRack(Piece& piece);
  // Keyboard play.
  bool TypeLetter(char letter);
  void TakeBackLastLaid();
  // Marking for Change at the keyboard: '-' starts it, each letter (or '?' for a blank)
  // toggles the mark of a rack tile, Enter changes the marked tiles, Escape stops.
  void SetMarking(bool marking);
  void ToggleMarkOf(char letter);
  // The letter of the tile on a square (the board's or one laid this turn), else '\0'.
  char LetterAt(int row, int column) const;
  void MoveCursor(int rows, int columns);
  void AdvanceCursor();
  void TurnTilesChanged();
  // Tells assistive technology the cursor's square changed.
  void CursorMoved();

  ViewGeometry geometry_;
  GameEngine* engine_ = nullptr;
  int colour_ = 1;
  bool labelsSwapped_ = false;
  bool thinking_ = false;
  bool dragging_ = false;
  int moves_ = 0;
  int laidCount_ = 0;
  int cursorRow_ = 7;
  int cursorColumn_ = 7;
  bool cursorDown_ = false;
  bool playingAids_ = true;
  bool keyboardUsed_ = false;  // the board has had a key since the last mouse press
  bool marking_ = false;
  // The board tiles the cursor last went past, in order: typing one of them next takes it
  // as part of the word instead of laying a rack tile.
  std::string passedOver_;
  QString preview_;
  std::vector<TurnTile> hint_;
  QSize baseSize_;
  ViewTransform transform_;
  QPixmap boardPicture_;
  // The square and tile pictures at the size a square takes on the device.
  std::array<QImage, kPictureCount> pictures_;
  std::vector<Piece> pieces_;
};

}  // namespace lumiquad
