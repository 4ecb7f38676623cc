#include "ui/view_transform.h"

#include <algorithm>
#include <cmath>

namespace lumiquad {

namespace {

// What the layout keeps right of the window's content: the log's margin to the window edge.
constexpr int kRightMargin = 40;

}  // namespace

ViewTransform ViewTransform::Fit(const ViewGeometry& geometry, QSize view, QSize base,
                                 double pixelRatio) {
  ViewTransform fit;
  fit.pixelRatio = pixelRatio > 0 ? pixelRatio : 1;
  double zoom = 1;
  if (base.width() > kRightMargin && base.height() > 0 && view != base) {
    zoom =
        std::min(static_cast<double>(view.height()) / base.height(),
                 static_cast<double>(view.width() - kRightMargin) / (base.width() - kRightMargin));
  }
  // A square of whole device pixels; the zoom follows from it.
  fit.squarePixels = std::max(
      4, static_cast<int>(std::lround(geometry.square * std::max(zoom, 0.1) * fit.pixelRatio)));
  fit.zoom = fit.squarePixels / (geometry.square * fit.pixelRatio);
  auto alignment = [&](int layout) {
    const double device = layout * fit.zoom * fit.pixelRatio;
    return (std::round(device) - device) / fit.pixelRatio;
  };
  fit.offset = QPointF(alignment(geometry.boardLeft), alignment(geometry.boardTop));
  return fit;
}

}  // namespace lumiquad
