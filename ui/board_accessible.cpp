#include "ui/board_accessible.h"

#include <QtGui/QAccessible>
#include <QtWidgets/QAccessibleWidget>

#include "ui/board_view.h"

namespace lumiquad {

namespace {

class BoardAccessible : public QAccessibleWidget {
 public:
  explicit BoardAccessible(BoardView* view) : QAccessibleWidget(view, QAccessible::Table) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return static_cast<BoardView*>(widget())->CursorDescription();
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* BoardFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("lumiquad::BoardView") && object->isWidgetType()) {
    return new BoardAccessible(static_cast<BoardView*>(object));
  }
  return nullptr;
}

}  // namespace

void InstallBoardAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(BoardFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace lumiquad
