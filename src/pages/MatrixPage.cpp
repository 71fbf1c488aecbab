#include "pages/MatrixPage.h"

#include "core/TextCodec.h"
#include "pages/ShellButtons.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kTitle{"MATRIX", "矩阵"};

// Places inside the page: rows are outputs, columns inputs.
constexpr int kRowCaptionLeft = 100;
constexpr int kFirstRowTop = 100;
constexpr int kRowPitch = 30;
constexpr int kColumnCaptionTop = 50;
constexpr int kColumnPitch = 70;
constexpr int kPointLeft = 210;
constexpr int kPointSize = 20;

QString LabelOf(const Name& label) { return QString::fromStdString(GbkToUtf8(NameBytes(label))); }
}  // namespace

CMatrixPage::CMatrixPage(IShellSession& session, QWidget* parent) : CTitledPage(kTitle, parent), m_session(session) {
  for (int r = 0; r < kRows; ++r) {
    auto* caption = new CValueLabel(this);
    caption->SetFontSize(10);
    caption->SetAlignment(0);
    caption->setGeometry(kRowCaptionLeft, kFirstRowTop + kRowPitch * r, 100, 20);
    m_rowCaptions[r] = caption;
  }
  for (int c = 0; c < kColumns; ++c) {
    auto* caption = new CValueLabel(this);
    caption->SetFontSize(12);
    caption->SetAlignment(1);
    // As wide as one column, centred over its crosspoints: a long name shrinks, never overlaps.
    constexpr int width = kColumnPitch - 4;
    caption->setGeometry(kPointLeft + kPointSize / 2 - width / 2 + kColumnPitch * c, kColumnCaptionTop, width, 20);
    m_columnCaptions[c] = caption;
  }
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      PngButton* point = MakeShellButton({}, ButtonLook::Toggle, this);
      point->setObjectName(QStringLiteral("Crosspoint%1_%2").arg(r + 1).arg(c + 1));
      point->setGeometry(kPointLeft + kColumnPitch * c, kFirstRowTop + kRowPitch * r, kPointSize, kPointSize);
      // Input c's route flag for output r: a click stores the other state and sends "%B" for c.
      Bindings().Add(BindToggle(point, session, {ParamId::InRoute, c, r}));
      m_points[r][c] = point;
    }
  }
  ShowCaptions();
}

void CMatrixPage::Refresh(std::uint32_t bits) {
  CTitledPage::Refresh(bits);
  if (bits & (change::kNames | change::kFullState)) ShowCaptions();
}

void CMatrixPage::ShowCaptions() {
  const CDeviceState& s = m_session.State();
  for (int r = 0; r < kRows; ++r) m_rowCaptions[r]->SetText(LabelOf(s.out[r].shortName));
  for (int c = 0; c < kColumns; ++c) m_columnCaptions[c]->SetText(LabelOf(s.in[c].shortName));
}

}  // namespace orvx
