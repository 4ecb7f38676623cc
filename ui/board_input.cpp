// The board view's input: the mouse (dragging, marks, square editing) and the keyboard (the
// cursor and typing tiles onto it).
#include <QtGui/QAccessible>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>

#include <algorithm>
#include <string_view>

#include "game/game_engine.h"
#include "ui/board_view.h"

namespace lumiquad {

void BoardView::mousePressEvent(QMouseEvent* event) {
  keyboardUsed_ = false;
  passedOver_.clear();
  SetMarking(false);
  // While a review runs the game is frozen: its tiles can be neither moved nor marked.
  if (engine_ != nullptr && engine_->Viewer() != nullptr) return;
  const QPoint p = LayoutPoint(event);
  if (event->button() == Qt::LeftButton) {
    bool grabbedAny = false;
    for (Piece& piece : pieces_) {
      if (!piece.HitTest(p.x(), p.y())) continue;
      piece.grabOffsetX = p.x() - piece.x;
      piece.grabOffsetY = p.y() - piece.y;
      piece.state = Piece::Held;
      grabbedAny = true;
    }
    if (grabbedAny) setCursor(Qt::PointingHandCursor);
    dragging_ = true;
    // A press on a free square moves the keyboard cursor there, or lays the hint shown on it.
    const int row = geometry_.RowAt(p.x(), p.y());
    const int column = geometry_.ColumnAt(p.x(), p.y());
    if (!grabbedAny && InPlay() && row >= 0 && !SquareTaken(row, column)) {
      const bool onHint = std::any_of(hint_.begin(), hint_.end(), [&](const TurnTile& tile) {
        return tile.row == row && tile.column == column;
      });
      if (onHint) {
        LayHint();
      } else {
        cursorRow_ = row;
        cursorColumn_ = column;
        CursorMoved();
      }
    }
  } else if (event->button() == Qt::RightButton) {
    for (Piece& piece : pieces_) {
      if (!piece.HitTest(p.x(), p.y())) continue;
      // Only rack tiles can be marked for a change.
      if (piece.selected) {
        piece.selected = false;
      } else if (piece.state == Piece::OnRack) {
        piece.selected = true;
      }
      break;
    }
    update();
  }
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = LayoutPoint(event);
  if (!thinking_) {
    if (geometry_.OverBoard(p.x(), p.y())) {
      emit StatusText(QString::asprintf("Column = %d Row = %c",
                                        geometry_.ColumnAt(p.x(), p.y()) + 1,
                                        'A' + geometry_.RowAt(p.x(), p.y())));
    } else {
      emit StatusText(QString());
    }
  }
  ++moves_;
  if (geometry_.OverRack(p.x(), p.y())) {
    setCursor(Qt::PointingHandCursor);
  } else if (!dragging_) {
    unsetCursor();
  }
  if (dragging_ && moves_ % 2 == 0) {
    for (Piece& piece : pieces_) {
      if (!piece.grabbed) continue;
      piece.x = p.x() - piece.grabOffsetX;
      piece.y = p.y() - piece.grabOffsetY;
      update();
      break;
    }
  }
}

void BoardView::Drop(std::size_t index, int x, int y) {
  Piece& piece = pieces_[index];
  if (geometry_.OverBoard(x, y)) {
    const int column = geometry_.ColumnAt(x, y);
    const int row = geometry_.RowAt(x, y);
    const int sx = geometry_.boardLeft + column * geometry_.square;
    const int sy = geometry_.boardTop + row * geometry_.square;
    bool blocked = engine_ != nullptr && engine_->GetBoard().Cell(row, column).HasTile();
    for (std::size_t i = 0; i < pieces_.size() && !blocked; ++i) {
      const Piece& other = pieces_[i];
      if (i == index || other.grabbed || other.state == Piece::Fixed ||
          other.state == Piece::Invalid || other.state == Piece::Created) {
        continue;
      }
      blocked = other.Covers(sx, sy);
    }
    if (!blocked) PlaceOnSquare(piece, row, column);
  } else if (geometry_.OverRack(x, y)) {
    DropOnRack(pieces_, index, geometry_);
    piece.state = Piece::OnRack;
    piece.column = piece.row = -1;
    if (piece.blank) piece.letter = '?';
  }
  piece.grabbed = false;
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = LayoutPoint(event);
  const bool outsideGame = engine_ != nullptr && engine_->State() == GameState::NoGame;
  if (event->button() == Qt::LeftButton) {
    if (outsideGame && geometry_.OverBoard(p.x(), p.y())) {
      engine_->EditSquare(geometry_.RowAt(p.x(), p.y()), geometry_.ColumnAt(p.x(), p.y()), true);
    }
    bool dropped = false;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
      if (!pieces_[i].grabbed) continue;
      Drop(i, p.x(), p.y());
      dropped = true;
    }
    dragging_ = false;
    unsetCursor();
    if (dropped) {
      TurnTilesChanged();
    } else {
      update();
    }
  } else if (event->button() == Qt::RightButton) {
    if (outsideGame && geometry_.OverBoard(p.x(), p.y())) {
      engine_->EditSquare(geometry_.RowAt(p.x(), p.y()), geometry_.ColumnAt(p.x(), p.y()), false);
    }
    for (Piece& piece : pieces_) piece.grabbed = false;
  }
}

void BoardView::mouseDoubleClickEvent(QMouseEvent*) {}

bool BoardView::SquareTaken(int row, int column) const {
  if (engine_ != nullptr && engine_->GetBoard().Cell(row, column).HasTile()) return true;
  return std::any_of(pieces_.begin(), pieces_.end(), [&](const Piece& piece) {
    return piece.state == Piece::OnSquare && piece.row == row && piece.column == column;
  });
}

void BoardView::MoveCursor(int rows, int columns) {
  passedOver_.clear();
  cursorRow_ = std::clamp(cursorRow_ + rows, 0, kBoardSize - 1);
  cursorColumn_ = std::clamp(cursorColumn_ + columns, 0, kBoardSize - 1);
  CursorMoved();
}

void BoardView::CursorMoved() {
  update();
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, CursorDescription());
    QAccessible::updateAccessibility(&event);
  }
}

QString BoardView::CursorDescription() const {
  static const char* const kKinds[] = {
      "plain",       "double letter",  "triple letter", "quadruple letter", "double word",
      "triple word", "quadruple word", "minus 5",       "minus 10"};
  static constexpr std::string_view kCodes = ".|&%#$*~=";
  const QString square = QString("%1%2").arg(cursorColumn_ + 1).arg(QChar('A' + cursorRow_));
  for (const Piece& piece : pieces_) {
    if (piece.state == Piece::OnSquare && piece.row == cursorRow_ &&
        piece.column == cursorColumn_) {
      return square + QString(", your tile %1 laid this turn").arg(QChar(piece.letter));
    }
  }
  if (engine_ == nullptr) return square;
  const Square& cell = engine_->GetBoard().Cell(cursorRow_, cursorColumn_);
  if (cell.HasTile()) {
    return square + (cell.blank ? QString(", blank as %1") : QString(", tile %1"))
                        .arg(QChar(cell.character));
  }
  const std::size_t kind = kCodes.find(cell.character);
  return square + ", " + kKinds[kind == std::string_view::npos ? 0 : kind] + ", empty";
}

char BoardView::LetterAt(int row, int column) const {
  for (const Piece& piece : pieces_) {
    if (piece.state == Piece::OnSquare && piece.row == row && piece.column == column) {
      return piece.letter;
    }
  }
  if (engine_ == nullptr || !Board::OnBoard(row, column)) return '\0';
  const Square& cell = engine_->GetBoard().Cell(row, column);
  return cell.HasTile() ? cell.character : '\0';
}

// On past the squares that hold a tile; the cursor stays put at the edge of the board.
void BoardView::AdvanceCursor() {
  int row = cursorRow_;
  int column = cursorColumn_;
  std::string passed;
  for (;;) {
    (cursorDown_ ? row : column) += 1;
    if (!Board::OnBoard(row, column) || !SquareTaken(row, column)) break;
    passed += LetterAt(row, column);
  }
  if (Board::OnBoard(row, column)) {
    cursorRow_ = row;
    cursorColumn_ = column;
    passedOver_ = passed;
  }
}

// Lays the rack's tile of that letter on the cursor's square, or a blank named as the letter
// when the rack has no such tile; the cursor goes on to the next free square.
bool BoardView::TypeLetter(char letter) {
  // The whole word may be typed, the board's letters with it: a letter that is the next board
  // tile gone past (or the one under the cursor) is that tile.
  if (!passedOver_.empty()) {
    const bool same = passedOver_.front() == letter;
    passedOver_.erase(0, 1);
    if (same) return true;
    passedOver_.clear();
  }
  if (SquareTaken(cursorRow_, cursorColumn_)) {
    const int row = cursorRow_;
    const int column = cursorColumn_;
    const bool same = LetterAt(row, column) == letter;
    AdvanceCursor();
    if (cursorRow_ == row && cursorColumn_ == column) return false;
    if (same) {
      CursorMoved();
      return true;
    }
    passedOver_.clear();
  }
  Piece* chosen = nullptr;
  for (Piece& piece : pieces_) {
    if (piece.state != Piece::OnRack) continue;
    if (!piece.blank && piece.letter == letter) {
      chosen = &piece;
      break;
    }
    if (piece.blank && chosen == nullptr) chosen = &piece;
  }
  if (chosen == nullptr) return false;
  chosen->selected = false;
  PlaceOnSquare(*chosen, cursorRow_, cursorColumn_);
  if (chosen->blank) chosen->letter = letter;
  AdvanceCursor();
  TurnTilesChanged();
  CursorMoved();
  return true;
}

void BoardView::TakeBackLastLaid() {
  Piece* last = nullptr;
  for (Piece& piece : pieces_) {
    if (piece.state == Piece::OnSquare && (last == nullptr || piece.laidOrder > last->laidOrder)) {
      last = &piece;
    }
  }
  if (last == nullptr) return;
  cursorRow_ = last->row;
  cursorColumn_ = last->column;
  BackToRack(*last);
  TurnTilesChanged();
  CursorMoved();
}

void BoardView::SetMarking(bool marking) {
  if (marking == marking_) return;
  marking_ = marking;
  emit StatusText(marking ? "Marking tiles for Change: type their letters (? for a blank), "
                            "Enter to change them, Escape to stop"
                          : QString());
}

void BoardView::ToggleMarkOf(char letter) {
  // An unmarked tile of that letter is marked; when all are marked, one is unmarked.
  Piece* unmarked = nullptr;
  Piece* marked = nullptr;
  for (Piece& piece : pieces_) {
    if (piece.state != Piece::OnRack || (piece.blank ? '?' : piece.letter) != letter) continue;
    (piece.selected ? marked : unmarked) = &piece;
    if (unmarked != nullptr) break;
  }
  if (unmarked != nullptr) {
    unmarked->selected = true;
  } else if (marked != nullptr) {
    marked->selected = false;
  }
  update();
}

void BoardView::keyPressEvent(QKeyEvent* event) {
  if (!InPlay() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  keyboardUsed_ = true;
  const int key = event->key();
  if (marking_) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
      ToggleMarkOf(static_cast<char>('A' + (key - Qt::Key_A)));
    } else if (key == Qt::Key_Question || key == Qt::Key_Space) {
      ToggleMarkOf('?');
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      SetMarking(false);
      emit ChangeRequested();
    } else {
      SetMarking(false);
    }
    return;
  }
  if (key == Qt::Key_Minus) {
    SetMarking(true);
  } else if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    TypeLetter(static_cast<char>('A' + (key - Qt::Key_A)));
  } else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
             key == Qt::Key_Down) {
    MoveCursor(key == Qt::Key_Up     ? -1
               : key == Qt::Key_Down ? 1
                                     : 0,
               key == Qt::Key_Left    ? -1
               : key == Qt::Key_Right ? 1
                                      : 0);
  } else if (key == Qt::Key_Space) {
    passedOver_.clear();
    cursorDown_ = !cursorDown_;
    update();
  } else if (key == Qt::Key_Backspace) {
    passedOver_.clear();
    TakeBackLastLaid();
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    emit SubmitRequested();
  } else if (key == Qt::Key_Escape) {
    emit GatherRequested();
  } else {
    QWidget::keyPressEvent(event);
  }
}

}  // namespace lumiquad
