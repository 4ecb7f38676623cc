#pragma once

#include <QtCore/QPointF>
#include <QtCore/QSize>
#include <QtGui/QTransform>

#include "ui/view_geometry.h"

namespace lumiquad {

// Where the board view's layout, laid out in the pixels of ViewGeometry, lies in the view: one
// zoom factor and a small offset. The zoom is chosen so that a square is a whole number of the
// device's pixels and the offset so that the board's squares start on whole device pixels, so
// that squares are drawn without blending. Drawing, dragging and hit-testing all go through it.
struct ViewTransform {
  double zoom = 1;
  QPointF offset;         // in view pixels, after zooming
  double pixelRatio = 1;  // device pixels a view pixel
  int squarePixels = 35;  // device pixels a square

  QPointF ToView(QPointF layout) const { return layout * zoom + offset; }
  QPointF ToLayout(QPointF view) const { return (view - offset) / zoom; }
  QTransform LayoutToView() const {
    return QTransform::fromTranslate(offset.x(), offset.y()).scale(zoom, zoom);
  }

  // The zoom that fits the board, the rack and the lines beside them into a view of `view`
  // pixels, where `base` is the view's size in the default window (zoom 1). The column right
  // of the board keeps its share: the width left over goes to the move log.
  static ViewTransform Fit(const ViewGeometry& geometry, QSize view, QSize base, double pixelRatio);
};

}  // namespace lumiquad
