#include "ui/SkinTheme.h"

namespace orvx {

namespace {
SkinTheme& CurrentTheme() {
  static SkinTheme theme = SkinTheme::Console();
  return theme;
}
}  // namespace

SkinTheme SkinTheme::Console() {
  SkinTheme t;
  // Surfaces: near-black blue-grey, like the panels of a digital console.
  t.SetColor("window.bg", QColor(0x16, 0x19, 0x1e));
  t.SetColor("panel.bg", QColor(0x1e, 0x22, 0x29));
  t.SetColor("panel.edge", QColor(0x33, 0x39, 0x43));
  t.SetColor("text", QColor(0xe8, 0xec, 0xf1));
  t.SetColor("text.dim", QColor(0x8a, 0x94, 0xa3));
  t.SetColor("text.disabled", QColor(0x5a, 0x62, 0x6e));
  t.SetColor("accent", QColor(0x00, 0xe6, 0xff));

  // Image buttons: white caption, cyan when checked.
  t.SetColor("button.caption", QColor(0xff, 0xff, 0xff));
  t.SetColor("button.caption.checked", QColor(0x00, 0xe6, 0xff));

  // Value label.
  t.SetColor("label.text", QColor(0xff, 0xff, 0xff));
  t.SetColor("label.bg", QColor(0x2a, 0x2f, 0x38));
  t.SetColor("label.frame", QColor(0x4a, 0x53, 0x60));

  // Fader.
  t.SetColor("slider.bg", QColor(0x1e, 0x22, 0x29));
  t.SetColor("slider.slot", QColor(0x05, 0x06, 0x08));
  t.SetColor("slider.slot.edge", QColor(0x3a, 0x41, 0x4c));
  t.SetColor("slider.fill", QColor(0x00, 0xa8, 0xc0));
  t.SetColor("slider.tick", QColor(0x5a, 0x64, 0x72));
  t.SetColor("slider.label", QColor(0xe8, 0xec, 0xf1));
  t.SetColor("slider.thumb.number", QColor(0xff, 0xff, 0xff));
  t.SetColor("slider.cap", QColor(0xc8, 0xcd, 0xd4));
  t.SetColor("slider.cap.line", QColor(0x10, 0x10, 0x10));

  // Level meter: the three LED zones, lit and unlit.
  t.SetColor("meter.bg", QColor(0x10, 0x12, 0x16));
  t.SetColor("meter.zone1.lit", QColor(219, 254, 36));
  t.SetColor("meter.zone1.unlit", QColor(61, 73, 1));
  t.SetColor("meter.zone2.lit", QColor(255, 176, 35));
  t.SetColor("meter.zone2.unlit", QColor(72, 48, 0));
  t.SetColor("meter.zone3.lit", QColor(255, 35, 35));
  t.SetColor("meter.zone3.unlit", QColor(72, 0, 1));
  t.SetColor("meter.scale.tick", QColor(140, 203, 228));
  t.SetColor("meter.scale.text", QColor(0xff, 0xff, 0xff));
  t.SetColor("meter.caption", QColor(0xe8, 0xec, 0xf1));
  t.SetColor("meter.peak", QColor(0xff, 0xff, 0xff));

  // Drop-down selector and its list.
  t.SetColor("combo.face", QColor(0x2a, 0x2f, 0x38));
  t.SetColor("combo.text", QColor(0xff, 0xff, 0xff));
  t.SetColor("combo.text.hover", QColor(0xff, 0xff, 0xff));
  t.SetColor("combo.arrow", QColor(0x00, 0xe6, 0xff));
  t.SetColor("list.bg", QColor(0x22, 0x27, 0x2f));
  t.SetColor("list.text", QColor(0xe8, 0xec, 0xf1));
  t.SetColor("list.selected.bg", QColor(0x00, 0x6e, 0x82));
  t.SetColor("list.selected.text", QColor(0xff, 0xff, 0xff));
  t.SetColor("list.frame", QColor(0x00, 0xa8, 0xc0));

  // Pop-up menu.
  t.SetColor("menu.bg", QColor(0x24, 0x29, 0x31));
  t.SetColor("menu.text", QColor(0xe8, 0xec, 0xf1));
  t.SetColor("menu.text.selected", QColor(0xff, 0xff, 0xff));
  t.SetColor("menu.text.disabled", QColor(0x6a, 0x72, 0x7e));
  t.SetColor("menu.text.emboss", QColor(0x10, 0x12, 0x16));
  t.SetColor("menu.strip", QColor(0x1a, 0x1e, 0x24));
  t.SetColor("menu.highlight.frame", QColor(0x00, 0xa8, 0xc0));
  t.SetColor("menu.highlight.fill", QColor(0x0b, 0x4a, 0x58));
  t.SetColor("menu.separator.dark", QColor(0x10, 0x12, 0x16));
  t.SetColor("menu.separator.light", QColor(0x3e, 0x45, 0x50));

  // Title-bar caption buttons.
  t.SetColor("caption.border", QColor(0x3a, 0x41, 0x4c));
  t.SetColor("caption.border.over", QColor(0x00, 0xa8, 0xc0));
  t.SetColor("caption.fill.over", QColor(0x2c, 0x33, 0x3d));
  t.SetColor("caption.fill.down", QColor(0x0b, 0x4a, 0x58));
  t.SetColor("caption.fill.gray", QColor(0x1e, 0x22, 0x29));
  t.SetColor("caption.glyph", QColor(0xc8, 0xcd, 0xd4));
  t.SetColor("caption.glyph.over", QColor(0x00, 0xe6, 0xff));
  t.SetColor("caption.glyph.gray", QColor(0x5a, 0x62, 0x6e));
  t.SetColor("caption.focus", QColor(0x00, 0xe6, 0xff));

  // Rotary knob.
  t.SetColor("knob.track", QColor(0x0a, 0x0c, 0x0f));
  t.SetColor("knob.arc", QColor(0x00, 0xc8, 0xe6));
  t.SetColor("knob.pointer", QColor(0xff, 0xff, 0xff));
  t.SetColor("knob.body", QColor(0x3a, 0x40, 0x49));
  t.SetColor("knob.body.edge", QColor(0x0c, 0x0e, 0x11));
  return t;
}

const SkinTheme& SkinTheme::Current() { return CurrentTheme(); }

void SkinTheme::SetCurrent(const SkinTheme& theme) { CurrentTheme() = theme; }

QColor SkinTheme::Color(const QString& key) const {
  auto it = m_colors.constFind(key);
  return it == m_colors.constEnd() ? QColor(Qt::magenta) : *it;
}

}  // namespace orvx
