#include "pages/LimiterPage.h"

namespace orvx {
namespace {

constexpr Caption kTitle{"LIMITER", "限幅器"};
constexpr CCompressorEditor::Values kLimiter{ParamId::OutLimOn,   ParamId::OutLimThreshold, ParamId::OutLimRatio,
                                             ParamId::OutLimGain, ParamId::OutLimAttack,    ParamId::OutLimRelease};

}  // namespace

CLimiterPage::CLimiterPage(IShellSession& session, QWidget* parent)
    : CCompressorEditor(session, kTitle, kLimiter, PresetKind::Limiter, LimiterReset, parent) {
  ApplyLanguage(Language::English);
}

int CLimiterPage::MeterLevel() const { return m_session.State().out[Record()].meter; }

void CLimiterPage::resizeEvent(QResizeEvent* event) {
  CCompressorEditor::resizeEvent(event);
  const int top = kTitleHeight + 10;
  const int w = std::min(width() - 16, 900);
  PlaceCompressor({8, top, w, height() - top - 8});
}

}  // namespace orvx
