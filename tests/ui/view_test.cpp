#include <QtGui/QAccessible>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>

#include "ui/analysis_table.h"
#include "ui_fixture.h"

namespace lumiquad {

using test::Frame;

// The window at other sizes and on other screens: zoom, sharpness, contrast, the analysis
// table and what assistive technology reads.
class ViewTest : public QObject {
  Q_OBJECT
 private slots:
  void theBoardFitsAndDragsLandAtEveryZoom();
  void squaresAreDrawnAtTheDevicesResolution();
  void textIsReadableInEveryScheme();
  void theAnalysisTableOutlinesTheChosenMove();
  void assistiveTechnologyReadsTheCursorsSquare();
};

void ViewTest::theBoardFitsAndDragsLandAtEveryZoom() {
  for (bool small : {false, true}) {
    for (double factor : {1.5, 0.8, 0.0}) {
      Frame f(small);
      const QSize base = f.frame->size();
      // 0: as small as the window is meant to go.
      f.frame->resize(factor > 0 ? (QSizeF(base) * factor).toSize() : QSize(640, 480));
      QTest::qWait(1);
      const ViewTransform& zoomed = f.View().Transform();
      QVERIFY2(factor < 1 ? zoomed.zoom < 1 : zoomed.zoom > 1,
               qPrintable(QString::number(zoomed.zoom)));
      // The board, the rack and the buttons lie inside the view.
      const ViewGeometry& g = f.Geometry();
      const QPointF corner = zoomed.ToView({1.0 * g.BoardRight(), 1.0 * g.RackTop() + g.square});
      QVERIFY(corner.x() <= f.View().width() && corner.y() <= f.View().height());
      for (int id = 50010; id <= 50018; ++id) {
        QVERIFY(f.View().rect().contains(f.frame->Button(id)->geometry()));
      }
      QVERIFY(f.frame->Log()->geometry().right() < f.View().width());
      // The buttons grow and shrink with the board.
      QCOMPARE(f.frame->Button(50016)->height() > 25, factor > 1);
      // A drag to a square's zoomed centre lands on that square; so does a right-click mark.
      f.StartWithRack("CATSXYZ");
      auto onView = [&](QPoint layout) { return zoomed.ToView(layout).toPoint(); };
      f.Drag(onView(f.RackTile('C')), onView(f.SquareCentre(4, 11)));
      const TurnTiles laid = f.View().CollectTurnTiles();
      QCOMPARE(laid.snapped.size(), std::size_t{1});
      QCOMPARE(laid.snapped[0].row, 4);
      QCOMPARE(laid.snapped[0].column, 11);
      QTest::mouseClick(&f.View(), Qt::RightButton, Qt::NoModifier, onView(f.RackTile('X')));
      QCOMPARE(f.View().MarkedLetters(), std::string("X"));
      QTest::mouseMove(&f.View(), onView(f.SquareCentre(14, 0)));
      QCOMPARE(f.frame->StatusText(), QString("Column = 1 Row = O"));
    }
  }
}

void ViewTest::squaresAreDrawnAtTheDevicesResolution() {
  Frame f;
  const double ratio = f.View().devicePixelRatioF();
  if (const char* factor = std::getenv("QT_SCALE_FACTOR")) QCOMPARE(ratio, std::atof(factor));
  const QImage picture = f.View().grab().toImage();
  // The double word square of row D, column 4 on the Lumiquad board, in device pixels.
  const ViewTransform& zoomed = f.View().Transform();
  const QPointF topLeft = zoomed.ToView({120.0 + 3 * 35, 40.0 + 3 * 35}) * ratio;
  const int x = static_cast<int>(std::lround(topLeft.x()));
  const int y = static_cast<int>(std::lround(topLeft.y()));
  const int size = zoomed.squarePixels;
  QCOMPARE(size, static_cast<int>(std::lround(35 * zoomed.zoom * ratio)));
  // Drawn for the device, the outermost row of the bevel is one colour from corner to corner
  // (a stretched picture would blend it with its neighbours)...
  QSet<QRgb> edge;
  for (int i = 1; i < size - 1; ++i) edge.insert(picture.pixel(x + i, y));
  QCOMPARE(edge.size(), 1);
  // ...and the grain changes shade on every device pixel row.
  for (int row = y + size / 3; row < y + size / 3 + 8; ++row) {
    QVERIFY(picture.pixel(x + size / 6, row) != picture.pixel(x + size / 6, row + 1));
  }
}

void ViewTest::textIsReadableInEveryScheme() {
  Frame f;
  f.StartWithRack("CATSXYZ");
  for (int scheme = 0; scheme < 8; ++scheme) {
    f.frame->SetColour(scheme);
    const QImage picture = f.View().grab().toImage();
    const QColor background(picture.pixel(5, 5));
    QCOMPARE(background, BoardView::SchemeColour(scheme));
    // The best contrast painted in the first information line and in the row label "A".
    double best[2] = {1, 1};
    const QRect areas[2] = {{10, 10, 100, 20}, {85, 40, 35, 35}};
    for (int a = 0; a < 2; ++a) {
      for (int yy = areas[a].top(); yy <= areas[a].bottom(); ++yy) {
        for (int xx = areas[a].left(); xx <= areas[a].right(); ++xx) {
          best[a] = std::max(best[a], ContrastRatio(QColor(picture.pixel(xx, yy)), background));
        }
      }
    }
    QVERIFY2(best[0] >= 3 && best[1] >= 3,
             qPrintable(QString("scheme %1: %2 and %3").arg(scheme).arg(best[0]).arg(best[1])));
    // The program's near-white stays wherever it reads (Green, Blue, Black and Purple).
    const bool nearWhite = scheme == 1 || scheme == 2 || scheme == 3 || scheme == 6;
    QCOMPARE(f.View().ContrastColour() == QColor(248, 248, 255), nearWhite);
    // The cursor stands out from the empty square and from a tile under it.
    f.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
    f.View().setFocus();
    auto standsOut = [&](int row, int column) {
      const QImage marked = f.View().grab().toImage();
      const QPoint centre = f.SquareCentre(row, column);
      const QColor mark(marked.pixel(centre.x() - 16, centre.y()));
      const QColor under(marked.pixel(centre.x() - 11, centre.y() + 9));
      return ContrastRatio(mark, under) >= 3;
    };
    QTest::mouseClick(&f.View(), Qt::LeftButton, Qt::NoModifier, f.SquareCentre(0, 0));
    QVERIFY2(standsOut(0, 0), qPrintable(QString("scheme %1, empty corner").arg(scheme)));
    QTest::mouseClick(&f.View(), Qt::LeftButton, Qt::NoModifier, f.SquareCentre(7, 7));
    QVERIFY2(standsOut(7, 7), qPrintable(QString("scheme %1, empty centre").arg(scheme)));
    QTest::keyClick(&f.View(), Qt::Key_C);
    QTest::keyClick(&f.View(), Qt::Key_Left);  // back onto the C just laid
    QVERIFY2(standsOut(7, 7), qPrintable(QString("scheme %1, on a tile").arg(scheme)));
    QTest::keyClick(&f.View(), Qt::Key_Escape);
  }
}

void ViewTest::theAnalysisTableOutlinesTheChosenMove() {
  Frame f;
  f.StartWithRack("CATSXYZ", "DOGQQQQ");
  f.Drag(f.RackTile('C'), f.SquareCentre(7, 7));
  f.Drag(f.RackTile('A'), f.SquareCentre(7, 8));
  f.Drag(f.RackTile('T'), f.SquareCentre(7, 9));
  QTest::mouseClick(f.frame->Button(50016), Qt::LeftButton);
  // Off by default: the review keeps the window as it is.
  const QRect before = f.frame->geometry();
  const QRect logBefore = f.frame->Log()->geometry();
  QTest::mouseClick(f.frame->Button(50012), Qt::LeftButton);
  AnalysisTable* table = f.frame->Analysis();
  QVERIFY(!table->isVisible());
  QCOMPARE(f.frame->geometry(), before);
  QTest::mouseClick(f.frame->Button(50013), Qt::LeftButton);
  const int storedWidth = f.frame->Settings().width;
  f.frame->Command(MainFrame::kAnalysisTableCommand)->trigger();
  QTest::mouseClick(f.frame->Button(50012), Qt::LeftButton);  // Review: record 0
  QVERIFY(table->isVisible());
  QCOMPARE(f.frame->width(), before.width() + 380);  // room made in the free screen space
  QCOMPARE(f.frame->Settings().width, storedWidth);  // the review's size is not the window's
  // One Tab stop for the table: Tab leaves it for the next control.
  table->Table()->setFocus();
  QTest::keyClick(table->Table(), Qt::Key_Tab);
  QVERIFY(!table->Table()->hasFocus());
  // The review buttons' keys.
  f.frame->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
  f.View().setFocus();
  QTest::keyClick(&f.View(), Qt::Key_PageDown);
  QCOMPARE(f.Engine().Viewer()->index, 1);
  QTest::keyClick(&f.View(), Qt::Key_Home);
  QCOMPARE(f.Engine().Viewer()->index, 0);
  QTableWidget* rows = table->Table();
  QVERIFY(rows->rowCount() > 1);
  QCOMPARE(rows->item(0, 0)->text(), QString("1"));
  QVERIFY(table->PlayedRow() >= 0);
  QVERIFY(rows->item(table->PlayedRow(), 1)->font().bold());
  QCOMPARE(rows->item(table->PlayedRow(), 1)->text(), QString("(8H,across) CAT"));
  const std::string log = f.frame->LogText();
  QVERIFY(log.find("Other options:") != std::string::npos);  // the log still has its text

  const int row = table->PlayedRow() == 0 ? 1 : 0;
  rows->setCurrentCell(row, 1);
  const std::vector<TurnTile>& outline = f.View().Hint();
  QVERIFY(!outline.empty());
  const Move& move = f.Engine().History()[0].analysis.Ranked()[static_cast<std::size_t>(row)];
  QCOMPARE(outline.size(), move.placedLetters.size());
  QCOMPARE(outline.front().row, move.row);
  QCOMPARE(outline.front().column, move.column);
  const QPoint corner = f.SquareCentre(outline.front().row, outline.front().column) -
                        QPoint(f.Geometry().square / 2 - 2, 0);
  QCOMPARE(QColor(f.View().grab().toImage().pixel(corner)),
           f.View().MarkColour(outline.front().row, outline.front().column));

  // Hidden with its own close button, it stays hidden, the window and the log are back exactly
  // where they were, and the choice is kept.
  table->close();
  QVERIFY(!table->isVisible());
  QCOMPARE(f.frame->geometry(), before);
  QCOMPARE(f.frame->Log()->geometry(), logBefore);
  QTest::mouseClick(f.frame->Button(50011), Qt::LeftButton);
  QVERIFY(!table->isVisible());
  QVERIFY(!f.frame->Command(MainFrame::kAnalysisTableCommand)->isChecked());
  MainFrame again(f.store, f.clock, f.moveConfig, f.prompter, false);
  QVERIFY(!again.Command(MainFrame::kAnalysisTableCommand)->isChecked());
}

void ViewTest::assistiveTechnologyReadsTheCursorsSquare() {
  Frame f;
  f.StartWithRack("CATSXYZ");
  for (int id = 50010; id <= 50018; ++id) {
    QVERIFY(!f.frame->Button(id)->accessibleName().isEmpty());
    QVERIFY(!f.frame->Button(id)->accessibleDescription().isEmpty());
  }
  QCOMPARE(f.frame->Log()->accessibleName(), QString("Move log"));
  QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&f.View());
  QVERIFY(board != nullptr);
  QCOMPARE(board->text(QAccessible::Name), QString("Board"));
  QCOMPARE(board->text(QAccessible::Value), QString("8H, double letter, empty"));
  QTest::keyClick(&f.View(), Qt::Key_C);
  QCOMPARE(board->text(QAccessible::Value), QString("9H, plain, empty"));
  QTest::keyClick(&f.View(), Qt::Key_Left);
  QCOMPARE(board->text(QAccessible::Value), QString("8H, your tile C laid this turn"));
}

int RunViewTests(int argc, char** argv) {
  ViewTest tests;
  return QTest::qExec(&tests, argc, argv);
}

}  // namespace lumiquad

#include "view_test.moc"
