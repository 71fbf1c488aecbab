#pragma once
/// The files an installed editor draws with: its share folder (skin and fonts) found relative to
/// the program, so a package works wherever its prefix is. A build-tree run has no share folder
/// and uses the skin compiled into the program and the fonts fontconfig finds.

#include <QString>

namespace orvx {

struct InstalledFiles {
  QString shareDir;  ///< empty: not an installed program
  QString nameFont;  ///< the CJK font file for the processor's name glyphs; empty: fontconfig's pick
};

/// The share folder beside `programDir` (`relative` from it, e.g. "../share/orvx-editor"), when it
/// holds a skin folder.
InstalledFiles FindInstalledFiles(const QString& programDir, const QString& relative);

/// Puts the installed skin before the compiled-in one and registers the installed fonts with Qt.
/// Returns how many font files were taken.
int UseInstalledFiles(const InstalledFiles& files);

}  // namespace orvx
