#include "pages/MixerDetailPanel.h"

#include <QPainter>

#include "core/TextCodec.h"
#include "pages/CaptionText.h"
#include "pages/ShellStyle.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

#include "session/ParamTable.h"

namespace orvx {

namespace {
constexpr Caption kModeCaptions[] = {
    {"", ""},
    {"SYSTEM", "系统"},
    {"MUTE GROUPS", "静音分组"},
    {"GROUP %1", "分组 %1"},
    {"CONTROL GROUPS", "控制分组"},
    {"PHANTOM", "幻象电源"},
};
constexpr Caption kBus{"BUS", "总线"};
constexpr Caption kMembers{"MEMBERS: %1", "成员: %1"};
constexpr Caption kMore{"+%1 without strip", "另有 %1 个"};
constexpr Caption kNone{"no members", "无成员"};

/// The name the operator gave the channel, as its strip shows it.
QString NameOf(const CDeviceState& s, ParamId id, int record) {
  const ParamAddr name{id, record, 0};
  return QString::fromStdString(FormatParam(name, ReadParam(s, name), s.language));
}
}  // namespace

CMixerDetailPanel::CMixerDetailPanel(const CDeviceState& state, QWidget* parent) : QWidget(parent), m_state(state) {
  setObjectName(QStringLiteral("MixerDetailPanel"));
}

void CMixerDetailPanel::ShowChoice(const OverviewChoice& choice, const OverviewStrips& strips) {
  const Language lang = m_state.language;
  m_lines.clear();
  QString mode = CaptionText(kModeCaptions[static_cast<int>(choice.mode)], lang);
  if (mode.contains(QLatin1String("%1"))) mode = mode.arg(choice.group);
  m_lines << mode;
  const QString bus =
      choice.bus == CSidePanelModel::kLrBus ? QStringLiteral("LR") : QStringLiteral("AUX%1").arg(choice.bus - 2);
  QString busLine = CaptionText(kBus, lang) + QStringLiteral(" ") + bus;
  if (strips.output >= 0) busLine += QStringLiteral(" → ") + NameOf(m_state, ParamId::OutName, strips.output);
  m_lines << busLine;
  m_lines << CaptionText(kMembers, lang).arg(strips.inputs.size());
  if (strips.inputs.empty()) m_lines << CaptionText(kNone, lang);
  for (int r : strips.inputs) m_lines << NameOf(m_state, ParamId::InName, r);
  m_hidden = std::max(0, static_cast<int>(strips.inputs.size()) - kOverviewInputSlots);
  if (m_hidden > 0) m_lines << CaptionText(kMore, lang).arg(m_hidden);
  update();
}

void CMixerDetailPanel::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  PaintPanel(p, rect());
  const int pad = 10;
  int y = 12;
  for (int i = 0; i < m_lines.size(); ++i) {
    const bool title = i == 0;
    const bool listed = i >= 3;
    // Members beyond the eighth have no strip in the overview: they read dimmer.
    const bool withoutStrip = listed && i - 3 >= kOverviewInputSlots;
    p.setFont(UiFont(title ? 12 : 10, title));
    p.setPen(theme.Color(title ? "accent" : withoutStrip ? "text.dim" : "text"));
    const int h = title ? 28 : 22;
    p.drawText(QRect(pad, y, width() - 2 * pad, h), Qt::AlignLeft | Qt::AlignVCenter, m_lines[i]);
    if (title) {
      p.setPen(QPen(theme.Color("panel.edge"), 1));
      p.drawLine(pad, y + h + 2, width() - pad, y + h + 2);
      y += 6;
    }
    y += h;
  }
}

}  // namespace orvx
