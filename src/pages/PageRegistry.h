#pragma once
/// Every page and editor of the main window, keyed by view and editor kind. The window shows,
/// hides, refreshes and translates them through here instead of parallel arrays.

#include <QWidget>
#include <compare>
#include <functional>
#include <map>

#include "core/DeviceState.h"
#include "session/Navigation.h"

namespace orvx {

class CTitledPage;

enum class PageKind : int { View, InputEditor, OutputEditor };

struct PageKey {
  PageKind kind = PageKind::View;
  int number = 0;  ///< the view number, or the editor kind
  auto operator<=>(const PageKey&) const = default;
  static PageKey Of(MainView view) { return {PageKind::View, static_cast<int>(view)}; }
  static PageKey InputEditor(int kind) { return {PageKind::InputEditor, kind}; }
  static PageKey OutputEditor(int kind) { return {PageKind::OutputEditor, kind}; }
};

class CPageRegistry {
public:
  void Add(PageKey key, CTitledPage* page);
  CTitledPage* Find(PageKey key) const;
  void ForEach(const std::function<void(CTitledPage*)>& fn) const;
  void HideAll() const;
  /// The page now visible inside `canvas` (nullptr when the strips are shown).
  CTitledPage* Visible(const QWidget* canvas) const;
  void ApplyLanguage(Language language) const;

private:
  std::map<PageKey, CTitledPage*> m_pages;
};

}  // namespace orvx
