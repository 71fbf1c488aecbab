#pragma once
/// The MATRIX page: twelve inputs (columns) routed on or off to eight outputs (rows). A crosspoint
/// is bound to its input's route flag; a click sends that input's whole routing.

#include <array>

#include "pages/TitledPage.h"
#include "session/ShellSession.h"

namespace orvx {

class CValueLabel;
class PngButton;

class CMatrixPage : public CTitledPage {
  Q_OBJECT
public:
  static constexpr int kRows = kOutputRecords;
  static constexpr int kColumns = kWireInputs;

  CMatrixPage(IShellSession& session, QWidget* parent = nullptr);

  void Refresh(std::uint32_t bits = change::kAll) override;

  /// Crosspoint of output row r and input column c (both from 1).
  PngButton* Crosspoint(int row, int column) const { return m_points[row - 1][column - 1]; }
  CValueLabel* RowCaption(int row) const { return m_rowCaptions[row - 1]; }
  CValueLabel* ColumnCaption(int column) const { return m_columnCaptions[column - 1]; }


private:
  void ShowCaptions();

  IShellSession& m_session;
  std::array<std::array<PngButton*, kColumns>, kRows> m_points{};
  std::array<CValueLabel*, kRows> m_rowCaptions{};
  std::array<CValueLabel*, kColumns> m_columnCaptions{};
};

}  // namespace orvx
