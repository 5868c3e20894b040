#include "framework/canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <algorithm>
#include <cstdlib>

#include "framework/bitmap.h"

struct TCanvas::State {
  TPen pen;
  TBrush brush;
  TFont font;
  TPoint origin;
};

namespace {

QPainter::CompositionMode ModeFor(TPenMode mode) {
  switch (mode) {
    case pmBlack:
      return QPainter::RasterOp_ClearDestination;
    case pmWhite:
      return QPainter::RasterOp_SetDestination;
    case pmNot:
      return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
      return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
      return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
      return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
      return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
      return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
      return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
      return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
      return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
      return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
      return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
      return QPainter::RasterOp_NotSourceXorDestination;
    default:
      return QPainter::CompositionMode_SourceOver;
  }
}

// On/off run lengths of styled 1-pixel pens.
const std::vector<int>& DashPattern(TPenStyle style) {
  static const std::vector<int> kNone;
  static const std::vector<int> kDash{18, 6};
  static const std::vector<int> kDot{3, 3};
  static const std::vector<int> kDashDot{9, 6, 3, 6};
  static const std::vector<int> kDashDotDot{9, 3, 3, 3, 3, 3};
  switch (style) {
    case psDash:
      return kDash;
    case psDot:
      return kDot;
    case psDashDot:
      return kDashDot;
    case psDashDotDot:
      return kDashDotDot;
    default:
      return kNone;
  }
}

Qt::BrushStyle HatchStyle(TBrushStyle style) {
  switch (style) {
    case bsHorizontal:
      return Qt::HorPattern;
    case bsVertical:
      return Qt::VerPattern;
    case bsFDiagonal:
      return Qt::FDiagPattern;
    case bsBDiagonal:
      return Qt::BDiagPattern;
    case bsCross:
      return Qt::CrossPattern;
    case bsDiagCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

QString Q(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

}  // namespace

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() {
  Detach();
}

void TCanvas::BeginPaint(QPainter* painter, const TRect& clip) {
  Detach();
  painter_ = painter;
  image_ = dynamic_cast<QImage*>(painter->device());
  paintClip_ = clip;
  origin_ = TPoint();
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void TCanvas::EndPaint() {
  if (ownPainter_) return;
  painter_ = nullptr;
  image_ = nullptr;
  stack_.clear();
  origin_ = TPoint();
}

void TCanvas::Attach(QPaintDevice* device) {
  Detach();
  ownPainter_ = std::make_unique<QPainter>(device);
  painter_ = ownPainter_.get();
  image_ = dynamic_cast<QImage*>(device);
  paintClip_ = Rect(0, 0, device->width(), device->height());
  origin_ = TPoint();
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void TCanvas::Detach() {
  if (ownPainter_) {
    ownPainter_->end();
    ownPainter_.reset();
  }
  painter_ = nullptr;
  image_ = nullptr;
  stack_.clear();
  origin_ = TPoint();
}

bool TCanvas::PenVisible() const {
  return pen_.Style() != psClear && pen_.Mode() != pmNop;
}

void TCanvas::ApplyPenMode(TPenMode mode) {
  painter_->setCompositionMode(ModeFor(mode));
}

void TCanvas::MoveTo(int x, int y) {
  penPos_ = TPoint(x, y);
}

void TCanvas::LineTo(int x, int y) {
  TPoint from = penPos_;
  penPos_ = TPoint(x, y);
  if (!painter_ || !PenVisible()) return;
  if (pen_.Width() > 1) {
    ApplyPenMode(pen_.Mode());
    QPen qp(ColorToQColor(pen_.Color()), pen_.Width(), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter_->setPen(qp);
    painter_->drawLine(from.X, from.Y, x, y);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }
  StyledLine(from.X, from.Y, x, y);
}

// One-pixel line from (x1, y1) up to but not including (x2, y2).
void TCanvas::StyledLine(int x1, int y1, int x2, int y2) {
  ApplyPenMode(pen_.Mode());
  const QColor color = ColorToQColor(pen_.Color());
  const std::vector<int>& pattern = DashPattern(pen_.Style());
  if (pattern.empty() && (x1 == x2 || y1 == y2)) {
    // Straight solid lines as one rectangle.
    if (y1 == y2 && x1 != x2) {
      int l = x1 < x2 ? x1 : x2 + 1;
      painter_->fillRect(QRect(l, y1, std::abs(x2 - x1), 1), color);
    } else if (x1 == x2 && y1 != y2) {
      int t = y1 < y2 ? y1 : y2 + 1;
      painter_->fillRect(QRect(x1, t, 1, std::abs(y2 - y1)), color);
    }
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }
  int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  size_t seg = 0;
  int left = pattern.empty() ? 0 : pattern[0];
  int x = x1, y = y1;
  while (x != x2 || y != y2) {
    bool on = pattern.empty() || seg % 2 == 0;
    if (on) painter_->fillRect(QRect(x, y, 1, 1), color);
    if (!pattern.empty() && --left == 0) {
      seg = (seg + 1) % pattern.size();
      left = pattern[seg];
    }
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  TPoint saved = penPos_;
  MoveTo(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
  penPos_ = saved;
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (!painter_ || points.empty()) return;
  QPolygon poly;
  for (const TPoint& p : points) poly << QPoint(p.X, p.Y);
  if (brush_.Style() != bsClear) {
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(ColorToQColor(brush_.Color()));
    painter_->drawPolygon(poly);
  }
  if (PenVisible()) {
    std::vector<TPoint> closed = points;
    closed.push_back(points[0]);
    Polyline(closed);
    // The closing point is the start point, which the first segment drew.
  }
  painter_->setBrush(Qt::NoBrush);
}

void TCanvas::FillWithBrush(const TRect& r) {
  if (!painter_ || brush_.Style() == bsClear || r.IsEmpty()) return;
  if (brush_.Bitmap() && !brush_.Bitmap()->Empty()) {
    painter_->setBrushOrigin(-origin_.X, -origin_.Y);
    painter_->fillRect(ToQRect(r), QBrush(brush_.Bitmap()->Image()));
    painter_->setBrushOrigin(0, 0);
    return;
  }
  if (brush_.Style() == bsSolid) {
    painter_->fillRect(ToQRect(r), ColorToQColor(brush_.Color()));
  } else {
    painter_->setBrushOrigin(-origin_.X, -origin_.Y);
    painter_->fillRect(ToQRect(r),
                       QBrush(ColorToQColor(brush_.Color()), HatchStyle(brush_.Style())));
    painter_->setBrushOrigin(0, 0);
  }
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!painter_) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (!PenVisible()) {
    FillWithBrush(Rect(x1, y1, x2 - 1, y2 - 1));
    return;
  }
  int w = pen_.Width();
  FillWithBrush(Rect(x1 + w, y1 + w, x2 - w, y2 - w));
  if (w == 1) {
    TPoint saved = penPos_;
    Polyline({{x1, y1}, {x2 - 1, y1}, {x2 - 1, y2 - 1}, {x1, y2 - 1}, {x1, y1}});
    penPos_ = saved;
    return;
  }
  ApplyPenMode(pen_.Mode());
  QColor c = ColorToQColor(pen_.Color());
  painter_->fillRect(QRect(x1, y1, x2 - x1, w), c);
  painter_->fillRect(QRect(x1, y2 - w, x2 - x1, w), c);
  painter_->fillRect(QRect(x1, y1 + w, w, y2 - y1 - 2 * w), c);
  painter_->fillRect(QRect(x2 - w, y1 + w, w, y2 - y1 - 2 * w), c);
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::FillRect(const TRect& r) {
  FillWithBrush(r);
}

void TCanvas::FrameRect(const TRect& r) {
  if (r.IsEmpty()) return;
  FillWithBrush(Rect(r.Left, r.Top, r.Right, r.Top + 1));
  FillWithBrush(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
  FillWithBrush(Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1));
  FillWithBrush(Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1));
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!painter_) return;
  ApplyPenMode(pen_.Mode());
  painter_->setPen(PenVisible()
                       ? QPen(ColorToQColor(pen_.Color()), pen_.Width() > 1 ? pen_.Width() : 0)
                       : QPen(Qt::NoPen));
  painter_->setBrush(brush_.Style() == bsClear ? QBrush(Qt::NoBrush)
                                               : QBrush(ColorToQColor(brush_.Color())));
  painter_->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
  painter_->setBrush(Qt::NoBrush);
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  if (!painter_) return;
  ApplyPenMode(pen_.Mode());
  painter_->setPen(PenVisible()
                       ? QPen(ColorToQColor(pen_.Color()), pen_.Width() > 1 ? pen_.Width() : 0)
                       : QPen(Qt::NoPen));
  painter_->setBrush(brush_.Style() == bsClear ? QBrush(Qt::NoBrush)
                                               : QBrush(ColorToQColor(brush_.Color())));
  painter_->drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), x3 / 2.0, y3 / 2.0);
  painter_->setBrush(Qt::NoBrush);
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (!painter_ || r.IsEmpty()) return;
  painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  auto plot = [&](int x, int y) {
    if (((x - r.Left) + (y - r.Top)) % 2 == 0) painter_->fillRect(QRect(x, y, 1, 1), Qt::white);
  };
  for (int x = r.Left; x < r.Right; ++x) {
    plot(x, r.Top);
    if (r.Bottom - 1 > r.Top) plot(x, r.Bottom - 1);
  }
  for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
    plot(r.Left, y);
    if (r.Right - 1 > r.Left) plot(r.Right - 1, y);
  }
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

TColor TCanvas::Pixels(int x, int y) const {
  if (!image_) return clNone;
  int dx = x + origin_.X, dy = y + origin_.Y;
  if (dx < 0 || dy < 0 || dx >= image_->width() || dy >= image_->height()) return clNone;
  QRgb p = image_->pixel(dx, dy);
  return RGB(static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)),
             static_cast<uint8_t>(qBlue(p)));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  if (!painter_ || color == clNone) return;
  painter_->setCompositionMode(QPainter::CompositionMode_Source);
  painter_->fillRect(QRect(x, y, 1, 1), ColorToQColor(color));
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::DrawTextCell(int x, int y, const std::string& text) {
  QFont qf = font_.ToQFont();
  QFontMetrics fm(qf);
  QString s = Q(text);
  if (brush_.Style() != bsClear)
    painter_->fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()),
                       ColorToQColor(brush_.Color()));
  painter_->setFont(qf);
  painter_->setPen(ColorToQColor(font_.Color()));
  painter_->drawText(QPoint(x, y + fm.ascent()), s);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (painter_) DrawTextCell(x, y, text);
  penPos_ = TPoint(x + TextWidth(text), y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  if (!painter_) return;
  painter_->save();
  painter_->setClipRect(ToQRect(r), Qt::IntersectClip);
  FillWithBrush(r);
  TBrushStyle style = brush_.Style();
  brush_.SetStyle(bsClear);
  DrawTextCell(x, y, text);
  brush_.SetStyle(style);
  painter_->restore();
}

int TCanvas::TextWidth(const std::string& text) const {
  return TextExtent(text).cx;
}

int TCanvas::TextHeight(const std::string& text) const {
  return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const std::string& text) const {
  QFontMetrics fm(font_.ToQFont());
  return TSize(fm.horizontalAdvance(Q(text)), fm.height());
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (!painter_ || bitmap.Empty()) return;
  painter_->drawImage(QPoint(x, y), bitmap.MaskedImage());
}

void TCanvas::Draw(int x, int y, const QImage& image) {
  if (!painter_ || image.isNull()) return;
  painter_->drawImage(QPoint(x, y), image);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
  if (!painter_ || bitmap.Empty() || r.IsEmpty()) return;
  painter_->drawImage(ToQRect(r), bitmap.MaskedImage());
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  if (!painter_ || !source.image_ || dest.IsEmpty() || sourceRect.IsEmpty()) return;
  TRect s = sourceRect;
  OffsetRect(s, source.origin_.X, source.origin_.Y);
  QImage copy = source.image_->copy(ToQRect(s));
  painter_->drawImage(ToQRect(dest), copy);
}

TRect TCanvas::ClipRect() const {
  if (!painter_) return TRect();
  TRect r = paintClip_;
  OffsetRect(r, -origin_.X, -origin_.Y);
  if (painter_->hasClipping()) {
    TRect c = FromQRect(painter_->clipBoundingRect().toAlignedRect());
    IntersectRect(r, r, c);
  }
  return r;
}

void TCanvas::SetClipRect(const TRect& r) {
  if (painter_) painter_->setClipRect(ToQRect(r), Qt::ReplaceClip);
}

void TCanvas::IntersectClipRect(const TRect& r) {
  if (!painter_) return;
  if (painter_->hasClipping())
    painter_->setClipRect(ToQRect(r), Qt::IntersectClip);
  else
    painter_->setClipRect(ToQRect(r), Qt::ReplaceClip);
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  if (!painter_) return;
  QRegion base;
  if (painter_->hasClipping()) {
    base = painter_->clipRegion();
  } else {
    TRect all = paintClip_;
    OffsetRect(all, -origin_.X, -origin_.Y);
    base = QRegion(ToQRect(all));
  }
  painter_->setClipRegion(base.subtracted(QRegion(ToQRect(r))), Qt::ReplaceClip);
}

void TCanvas::SetClipRegion(const std::vector<TRect>& rects) {
  if (!painter_) return;
  QRegion region;
  for (const TRect& r : rects) region += ToQRect(r);
  painter_->setClipRegion(region, Qt::ReplaceClip);
}

void TCanvas::ResetClip() {
  if (painter_) painter_->setClipping(false);
}

void TCanvas::OffsetOrigin(int dx, int dy) {
  origin_.X += dx;
  origin_.Y += dy;
  if (painter_) painter_->translate(dx, dy);
}

void TCanvas::Save() {
  stack_.push_back(State{pen_, brush_, font_, origin_});
  if (painter_) painter_->save();
}

void TCanvas::Restore() {
  if (stack_.empty()) return;
  State s = stack_.back();
  stack_.pop_back();
  pen_ = s.pen;
  brush_ = s.brush;
  font_ = s.font;
  origin_ = s.origin;
  if (painter_) painter_->restore();
}
