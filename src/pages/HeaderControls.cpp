#include "pages/HeaderControls.h"

#include "ui/UiFont.h"
#include "ui/ValueLabel.h"

namespace orvx {

CValueLabel* MakeHeaderLabel(QWidget* parent, double points, bool bold) {
  auto* l = new CValueLabel(parent);
  l->SetAlignment(1);
  l->SetFontSize(points);
  if (bold) l->setFont(UiFont(points, true));
  return l;
}

void PlaceAt(QWidget* w, const LayoutRect& r) { w->setGeometry(r.x, r.y, r.w, r.h); }

}  // namespace orvx
