#pragma once
/// What the header's parts share: a centred caption label and placing a control at its rectangle
/// of the main layout (header coordinates).

#include "session/MainLayout.h"

class QWidget;

namespace orvx {

class CValueLabel;

/// A centred label with a face of `points`, bold when asked.
CValueLabel* MakeHeaderLabel(QWidget* parent, double points, bool bold = false);
/// Puts `w` at `r`.
void PlaceAt(QWidget* w, const LayoutRect& r);

}  // namespace orvx
