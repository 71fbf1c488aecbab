#pragma once
/// The limiter of an output: the compressor half on the output's limiter values.

#include "pages/CompressorEditor.h"

namespace orvx {

class CLimiterPage : public CCompressorEditor {
  Q_OBJECT
public:
  CLimiterPage(IShellSession& session, QWidget* parent = nullptr);

protected:
  int MeterLevel() const override;
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace orvx
