#pragma once
/// Named colours of the skin. Controls never hard-code a colour: they ask the current theme
/// by key ("meter.zone1.lit", "button.caption.checked", ...), so a theme can be swapped whole.
///
/// Usage: `QColor c = SkinTheme::Current().Color("text");`
/// Tests and tools may install another theme with `SkinTheme::SetCurrent`.

#include <QColor>
#include <QHash>
#include <QString>

namespace orvx {

class SkinTheme {
public:
  /// The dark console theme the editor ships with.
  static SkinTheme Console();

  /// The theme used by every control (Console() until replaced).
  static const SkinTheme& Current();
  static void SetCurrent(const SkinTheme& theme);

  /// Colour of `key`; an unknown key yields magenta so a missing entry is plain to see.
  QColor Color(const QString& key) const;
  bool Has(const QString& key) const { return m_colors.contains(key); }
  void SetColor(const QString& key, const QColor& color) { m_colors.insert(key, color); }
  QStringList Keys() const { return m_colors.keys(); }

private:
  QHash<QString, QColor> m_colors;
};

}  // namespace orvx
