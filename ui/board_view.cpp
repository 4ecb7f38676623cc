#include "ui/board_view.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <algorithm>
#include <cmath>

#include "game/game_engine.h"

namespace lumiquad {

namespace {

// The nine square kinds in the order of their pictures.
constexpr std::string_view kKindOrder = ".#|$&*%=~";
const QColor kTextColour(248, 248, 255);
const QColor kHighlight(51, 204, 255);
// The edge of a tile laid this turn, so that it stands apart from the tiles already played.
const QColor kTurnTileEdge(0, 90, 200);

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& colour) {
    auto channel = [](int value) {
      const double c = value / 255.0;
      return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

BoardView::BoardView(const ViewGeometry& geometry, QWidget* parent)
    : QWidget(parent), geometry_(geometry) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  Refit();
}

void BoardView::SetBaseSize(QSize base) {
  baseSize_ = base;
  Refit();
}

void BoardView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Refit();
}

void BoardView::Refit() {
  const ViewTransform fit = ViewTransform::Fit(geometry_, baseSize_.isValid() ? size() : baseSize_,
                                               baseSize_, devicePixelRatioF());
  const bool newPictures = fit.squarePixels != transform_.squarePixels || pictures_[0].isNull();
  transform_ = fit;
  if (newPictures) {
    for (int i = 0; i < kPictureCount; ++i) {
      pictures_[static_cast<std::size_t>(i)] =
          DrawPicture(static_cast<Picture>(i), transform_.squarePixels);
    }
  }
  boardPicture_ = QPixmap();
  update();
  emit TransformChanged();
}

QPoint BoardView::LayoutPoint(const QMouseEvent* event) const {
  const QPointF p = transform_.ToLayout(event->position());
  return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

QRect BoardView::SquareRect(int row, int column) const {
  const int square = geometry_.square;
  return {geometry_.boardLeft + column * square, geometry_.boardTop + row * square, square, square};
}

QColor BoardView::SchemeColour(int index) {
  static const QColor kSchemes[] = {
      QColor(192, 192, 192), QColor(34, 139, 34), QColor(0, 153, 204),  QColor(41, 36, 33),
      QColor(238, 238, 0),   QColor(255, 128, 0), QColor(107, 35, 142), QColor(255, 255, 254),
  };
  return kSchemes[index >= 0 && index < 8 ? index : 1];
}

void BoardView::SetColour(int index) {
  colour_ = index >= 0 && index < 8 ? index : 1;
  RequestRepaint(false);
}

void BoardView::RequestRepaint(bool boardOnly) {
  boardPicture_ = QPixmap();
  if (boardOnly) {
    update(0, 0,
           static_cast<int>(std::ceil(transform_.ToView({1.0 * geometry_.BoardRight(), 0}).x())),
           height());
  } else {
    update();
  }
}

QFont BoardView::Font(int points) const {
  QFont font("Arial");
  font.setBold(true);
  font.setPixelSize(std::max(1, points * logicalDpiY() / 72));
  return font;
}

int BoardView::ValueOf(char letter) const {
  return engine_ == nullptr || letter == '?' ? 0 : engine_->GetBoard().LetterValue(letter);
}

void BoardView::DrawBoardPicture() {
  const double ratio = transform_.pixelRatio;
  boardPicture_ = QPixmap(size() * ratio);
  boardPicture_.setDevicePixelRatio(ratio);
  boardPicture_.fill(SchemeColour(colour_));
  QPainter painter(&boardPicture_);
  painter.setTransform(transform_.LayoutToView());
  const int square = geometry_.square;
  if (engine_ != nullptr) {
    const std::string layout = engine_->GetBoard().LayoutString();
    for (int r = 0; r < kBoardSize; ++r) {
      for (int c = 0; c < kBoardSize; ++c) {
        const std::size_t kind = kKindOrder.find(layout[static_cast<std::size_t>(r * 15 + c)]);
        // A square holding a tile shows the background; the tile covers it.
        if (kind == std::string_view::npos) continue;
        painter.drawImage(QRectF(SquareRect(r, c)), pictures_[kind]);
      }
    }
  }
  painter.setFont(Font(geometry_.labelPoints));
  painter.setPen(ContrastColour());
  const int inset = geometry_.small ? 5 : 8;
  for (int i = 0; i < kBoardSize; ++i) {
    const QString letter(QChar('A' + i));
    const QString number = QString::number(i + 1);
    const QString rowLabel = labelsSwapped_ ? number : letter;
    const QString columnLabel = labelsSwapped_ ? letter : number;
    painter.drawText(
        QRect(geometry_.boardLeft - square, geometry_.boardTop + i * square, square, square),
        Qt::AlignCenter, rowLabel);
    painter.drawText(QRect(geometry_.boardLeft + i * square, geometry_.boardTop - square + inset,
                           square, square - inset),
                     Qt::AlignHCenter | Qt::AlignTop, columnLabel);
  }
}

void BoardView::DrawPiece(QPainter& painter, const Piece& piece) const {
  const QRect area(piece.x, piece.y, piece.size, piece.size);
  painter.drawImage(QRectF(area), pictures_[static_cast<std::size_t>(Picture::Tile)]);
  if (piece.selected)
    painter.fillRect(area.adjusted(1, 1, -1, -1),
                     QColor(kHighlight.red(), kHighlight.green(), kHighlight.blue(), 200));
  if (piece.state == Piece::OnSquare && playingAids_) {
    painter.setPen(QPen(kTurnTileEdge, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(1, 1, -2, -2));
  }
  const bool large = piece.size >= 35;
  painter.setPen(QColor(20, 20, 20));
  painter.setFont(Font(geometry_.letterPoints));
  painter.drawText(QRect(piece.x + 5, piece.y + 1, piece.size - 5, piece.size - 1),
                   Qt::AlignLeft | Qt::AlignTop, QString(QChar(piece.letter)));
  painter.setFont(Font(geometry_.valuePoints));
  const bool twoDigits = piece.value >= 10;
  const int vx = large ? 23 : 16;
  const int vy = large ? 17 : (twoDigits ? 13 : 12);
  // A two-digit value keeps to the tile's right edge, clear of the letter.
  painter.drawText(twoDigits ? QRect(piece.x, piece.y + vy, piece.size - 2, piece.size - vy)
                             : QRect(piece.x + vx, piece.y + vy, piece.size - vx, piece.size - vy),
                   (twoDigits ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop,
                   QString::number(piece.value));
}

// What the view adds to the game's own picture: the computer's last move outlined, the hint's
// tiles as outlines, the keyboard cursor and the preview line.
void BoardView::DrawMarks(QPainter& painter) const {
  auto squareRect = [&](int row, int column) { return SquareRect(row, column); };
  painter.setBrush(Qt::NoBrush);
  if (engine_ != nullptr && playingAids_) {
    for (const TurnTile& tile : engine_->LastComputerMove()) {
      painter.setPen(QPen(MarkColour(tile.row, tile.column), 2));
      painter.drawRect(squareRect(tile.row, tile.column).adjusted(1, 1, -1, -1));
    }
  }
  painter.setFont(Font(geometry_.letterPoints));
  for (const TurnTile& tile : hint_) {
    const QRect area = squareRect(tile.row, tile.column).adjusted(2, 2, -2, -2);
    // The hint's letter covers the square's own label rather than mix with it.
    QColor cover = PictureColour(Picture::Tile);
    cover.setAlpha(215);
    painter.fillRect(area, cover);
    painter.setPen(QPen(MarkColour(tile.row, tile.column), 2, Qt::DashLine));
    painter.drawRect(area);
    painter.setPen(QColor(20, 20, 20));
    const QString letter(QChar(tile.letter));
    painter.drawText(area, Qt::AlignCenter, tile.blank ? letter.toLower() : letter);
  }
  if (InPlay() && hasFocus() && (playingAids_ || keyboardUsed_)) {
    const QRect area = squareRect(cursorRow_, cursorColumn_);
    const QColor mark = MarkColour(cursorRow_, cursorColumn_);
    painter.setPen(QPen(mark, 3));
    painter.drawRect(area.adjusted(1, 1, -2, -2));
    // A small arrow in the upper right corner, clear of a tile's letter and value, shows which
    // way typing goes.
    const QPoint tip = cursorDown_ ? QPoint(area.right() - 6, area.top() + 11)
                                   : QPoint(area.right() - 3, area.top() + 6);
    const QPoint base = cursorDown_ ? QPoint(0, -7) : QPoint(-7, 0);
    const QPoint side = cursorDown_ ? QPoint(4, 0) : QPoint(0, 4);
    painter.setBrush(mark);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygon({tip, tip + base + side, tip + base - side}));
    painter.setBrush(Qt::NoBrush);
  }
  if (!preview_.isEmpty() && (playingAids_ || !hint_.empty())) {
    painter.setPen(ContrastColour());
    painter.setFont(Font(geometry_.small ? 8 : 10));
    painter.drawText(QRect(geometry_.boardLeft, geometry_.RackTop() + geometry_.square + 8,
                           geometry_.BoardSize(), 20),
                     Qt::AlignHCenter | Qt::AlignTop, preview_);
  }
}

QColor BoardView::MarkColour(int row, int column) const {
  QColor under = PictureColour(Picture::Tile);
  if (engine_ != nullptr && !SquareTaken(row, column)) {
    const char kind =
        engine_->GetBoard().LayoutString()[static_cast<std::size_t>(row * 15 + column)];
    const std::size_t picture = kKindOrder.find(kind);
    if (picture != std::string_view::npos) under = PictureColour(static_cast<Picture>(picture));
  }
  return ContrastRatio(Qt::black, under) >= ContrastRatio(kTextColour, under) ? QColor(Qt::black)
                                                                              : kTextColour;
}

void BoardView::SetPlayingAids(bool on) {
  playingAids_ = on;
  update();
}

void BoardView::paintEvent(QPaintEvent*) {
  // Tiles held or laid this turn are drawn last, on top of the others.
  std::stable_partition(pieces_.begin(), pieces_.end(), [](const Piece& piece) {
    return piece.state != Piece::OnSquare && piece.state != Piece::Held;
  });
  if (transform_.pixelRatio != devicePixelRatioF()) Refit();
  if (boardPicture_.isNull()) DrawBoardPicture();
  QPainter painter(this);
  painter.drawPixmap(0, 0, boardPicture_);
  painter.setTransform(transform_.LayoutToView());
  if (engine_ != nullptr) {
    painter.setFont(Font(geometry_.small ? 8 : 10));
    painter.setPen(ContrastColour());
    const std::vector<std::string> lines = engine_->InformationLines(!geometry_.small);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      painter.drawText(QRect(10, 10 + 20 * static_cast<int>(i), geometry_.boardLeft - 12, 20),
                       Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(lines[i]));
    }
  }
  for (Piece& piece : pieces_) {
    // The values in force now, also straight after the letter values changed.
    piece.value = ValueShown(piece);
    DrawPiece(painter, piece);
  }
  DrawMarks(painter);
}

QColor BoardView::ContrastColour() const {
  return ContrastRatio(kTextColour, SchemeColour(colour_)) >= 3 ? kTextColour : QColor(Qt::black);
}

int BoardView::ValueShown(const Piece& piece) const {
  if (piece.blank) return 0;
  if (piece.state == Piece::Fixed && engine_ != nullptr &&
      Board::OnBoard(piece.row, piece.column) &&
      engine_->GetBoard().Cell(piece.row, piece.column).blank) {
    return 0;
  }
  return ValueOf(piece.letter);
}

bool BoardView::InPlay() const {
  return engine_ != nullptr && engine_->State() == GameState::Playing &&
         engine_->Viewer() == nullptr;
}

void BoardView::SyncTiles() {
  if (engine_ == nullptr) return;
  const Board& board = engine_->GetBoard();
  // Fixed tiles: exactly the board's.
  std::vector<Piece> pieces;
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      const Square& square = board.Cell(r, c);
      if (!square.HasTile()) continue;
      Piece piece;
      piece.x = geometry_.boardLeft + c * geometry_.square;
      piece.y = geometry_.boardTop + r * geometry_.square;
      piece.size = geometry_.square;
      piece.letter = square.character;
      piece.value = square.blank ? 0 : board.LetterValue(square.character);
      piece.state = Piece::Fixed;
      piece.column = c;
      piece.row = r;
      pieces.push_back(piece);
    }
  }
  // The human's tiles are the rack's: tiles already shown keep their place (rack tiles first,
  // unmarked before marked), tiles on squares that now hold a tile go, and new letters take
  // free slots. A blank is the rack's '?' whatever letter it was given on the board.
  std::string rack = engine_->Human().rack;
  std::vector<Piece> human;
  for (const Piece& piece : pieces_) {
    if (IsHumanPiece(piece)) human.push_back(piece);
  }
  std::stable_sort(human.begin(), human.end(), [](const Piece& a, const Piece& b) {
    auto rank = [](const Piece& p) {
      return (p.state == Piece::OnRack ? 0 : 2) + (p.selected ? 1 : 0);
    };
    return rank(a) < rank(b);
  });
  for (const Piece& piece : human) {
    if (piece.state == Piece::OnSquare && board.Cell(piece.row, piece.column).HasTile()) continue;
    const std::size_t at = rack.find(piece.blank ? '?' : piece.letter);
    if (at == std::string::npos) continue;
    rack.erase(at, 1);
    pieces.push_back(piece);
  }
  pieces_ = std::move(pieces);
  for (char letter : rack) {
    Piece piece;
    const int slot = FreeSlot();
    piece.x = geometry_.SlotX(slot < 0 ? 0 : slot);
    piece.y = geometry_.RackTop();
    piece.size = geometry_.square;
    piece.letter = letter;
    piece.blank = letter == '?';
    piece.state = Piece::OnRack;
    pieces_.push_back(piece);
  }
  for (Piece& piece : pieces_) piece.value = ValueShown(piece);
  hint_.clear();
  update();
  emit TurnChanged();
}

void BoardView::ClearPieces() {
  pieces_.clear();
  hint_.clear();
  dragging_ = false;
  // A new game starts with the cursor on the centre square, running across.
  cursorRow_ = kBoardSize / 2;
  cursorColumn_ = kBoardSize / 2;
  cursorDown_ = false;
  update();
}

int BoardView::FreeSlot() const {
  std::array<bool, 7> taken{};
  for (const Piece& piece : pieces_) {
    if (piece.state != Piece::OnRack) continue;
    const int slot = SlotOf(piece, geometry_);
    if (slot >= 0) taken[static_cast<std::size_t>(slot)] = true;
  }
  for (int slot = 0; slot < 7; ++slot) {
    if (!taken[static_cast<std::size_t>(slot)]) return slot;
  }
  return -1;
}

void BoardView::BackToRack(Piece& piece) {
  const int slot = FreeSlot();
  piece.x = geometry_.SlotX(slot < 0 ? 0 : slot);
  piece.y = geometry_.RackTop();
  piece.state = Piece::OnRack;
  piece.grabbed = false;
  piece.column = piece.row = -1;
  if (piece.blank) piece.letter = '?';
}

void BoardView::PlaceOnSquare(Piece& piece, int row, int column) {
  piece.x = geometry_.boardLeft + column * geometry_.square;
  piece.y = geometry_.boardTop + row * geometry_.square;
  piece.state = Piece::OnSquare;
  piece.column = column;
  piece.row = row;
  piece.laidOrder = ++laidCount_;
}

void BoardView::ReturnTurnTiles() {
  for (Piece& piece : pieces_) {
    if (piece.state == Piece::Held || piece.state == Piece::OnSquare ||
        piece.state == Piece::Invalid) {
      BackToRack(piece);
    }
  }
  TurnTilesChanged();
}

TurnTiles BoardView::CollectTurnTiles() const {
  TurnTiles tiles;
  for (const Piece& piece : pieces_) {
    if (piece.state == Piece::Fixed) continue;
    if (piece.state == Piece::OnSquare) {
      tiles.snapped.push_back({piece.row, piece.column, piece.letter, piece.blank});
    } else if (geometry_.OverBoard(piece.x, piece.y)) {
      tiles.looseTileOverBoard = true;
    }
  }
  return tiles;
}

std::string BoardView::MarkedLetters() const {
  std::string letters;
  for (const Piece& piece : pieces_) {
    if (piece.selected && piece.state == Piece::OnRack) letters += piece.letter;
  }
  return letters;
}

void BoardView::ClearMarks() {
  for (Piece& piece : pieces_) piece.selected = false;
  update();
}

void BoardView::SetPreview(const QString& text) {
  if (text == preview_) return;
  preview_ = text;
  update();
}

void BoardView::ShowHint(std::vector<TurnTile> tiles) {
  hint_ = std::move(tiles);
  update();
}

bool BoardView::LayHint() {
  if (hint_.empty()) return false;
  const std::vector<TurnTile> hint = hint_;
  ReturnTurnTiles();
  std::vector<std::size_t> chosen;
  for (const TurnTile& tile : hint) {
    const char wanted = tile.blank ? '?' : tile.letter;
    bool found = false;
    for (std::size_t i = 0; i < pieces_.size() && !found; ++i) {
      const Piece& piece = pieces_[i];
      found = piece.state == Piece::OnRack && piece.letter == wanted &&
              std::find(chosen.begin(), chosen.end(), i) == chosen.end();
      if (found) chosen.push_back(i);
    }
    if (!found) return false;
  }
  for (std::size_t k = 0; k < hint.size(); ++k) {
    Piece& piece = pieces_[chosen[k]];
    PlaceOnSquare(piece, hint[k].row, hint[k].column);
    if (piece.blank) piece.letter = hint[k].letter;
  }
  TurnTilesChanged();
  return true;
}

void BoardView::TurnTilesChanged() {
  hint_.clear();
  update();
  emit TurnChanged();
}

}  // namespace lumiquad
