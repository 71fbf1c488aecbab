#pragma once
/// Captions of the bilingual tables as Qt strings.

#include <QString>

#include "core/Captions.h"

namespace orvx {

inline QString CaptionText(const Caption& caption, Language language) {
  return QString::fromUtf8(Text(caption, language));
}

}  // namespace orvx
