#include "pages/PageRegistry.h"

#include "pages/TitledPage.h"

namespace orvx {

void CPageRegistry::Add(PageKey key, CTitledPage* page) { m_pages[key] = page; }

CTitledPage* CPageRegistry::Find(PageKey key) const {
  const auto it = m_pages.find(key);
  return it == m_pages.end() ? nullptr : it->second;
}

void CPageRegistry::ForEach(const std::function<void(CTitledPage*)>& fn) const {
  for (const auto& [key, page] : m_pages) fn(page);
}

void CPageRegistry::HideAll() const {
  ForEach([](CTitledPage* p) { p->hide(); });
}

CTitledPage* CPageRegistry::Visible(const QWidget* canvas) const {
  for (const auto& [key, page] : m_pages) {
    if (page->isVisibleTo(canvas)) return page;
  }
  return nullptr;
}

void CPageRegistry::ApplyLanguage(Language language) const {
  ForEach([language](CTitledPage* p) { p->ApplyLanguage(language); });
}

}  // namespace orvx
