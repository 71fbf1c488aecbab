#pragma once
/// Which of the processor's reports carries a value back to the editor, and how the wire changes a
/// value on its way. A script that changes a value confirms it by reading the processor's state
/// afresh; only values a report carries can be confirmed that way.

#include "session/ParamTable.h"

namespace orvx {

/// The report that carries this value back (None for invalid addresses). Where the processor's
/// columns and the editor's decoder differ in reach, only what both cover counts.
ReportedBy ReportOf(const ParamAddr& a);

/// The value the processor keeps when sent `v`: EQ gains travel halved, so an odd raw gain comes
/// back one step lower. Every other value comes back as sent.
ParamValue AfterWire(const ParamAddr& a, ParamValue v);

}  // namespace orvx
