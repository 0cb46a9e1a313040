// A list box that shows entries its owner holds: the window keeps only their number and
// draws the rows in sight from the owner's texts, so a list of a hundred thousand paths is
// not held a second time, in UTF-16, by the window.
#pragma once

#include "gui/Control.h"
#include "gui/ListRowNames.h"

#include <functional>
#include <memory>
#include <string>

namespace tarvell {

class TVirtualListBox : public TControl {
public:
  // The text of an entry, asked for 0 <= index < Count() only.
  using TTextOf = std::function<std::string(int index)>;

  explicit TVirtualListBox(TComponent* AOwner);
  ~TVirtualListBox() override;

  int Count() const noexcept { return FCount; }
  // Shows `count` entries whose texts `textOf` gives. The caller keeps what `textOf` reads
  // alive while they are shown and reports every change: ShowVirtual again after a
  // replacement, Delete after it removed an entry (which the window still shows).
  void ShowVirtual(int count, TTextOf textOf);
  void Delete(int index);

  // The selected entry, or -1.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Suspends redrawing while many entries change; calls nest.
  void BeginUpdate();
  void EndUpdate();

protected:
  void CreateParams(TWndCreateParams& params) override;
  TColor DefaultColor() const noexcept override { return clWindow; }
  bool HandleCommand(WORD code) override;
  void CreateWnd() override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void DestroyingHandle() noexcept override;
  void HandleDestroyed() override;
  // The service that names the rows for screen readers (none where the system has none); a
  // seam for tests, as the system's own cannot be watched at work.
  virtual TComPtr<IAccPropServices> RowNameServices() {
    return ComCreate<IAccPropServices>(CLSID_AccPropServices, IID_IAccPropServices);
  }
  // Draws what stands before a row's text and returns where the text starts; by default the
  // gap the system's own list box leaves.
  virtual int DrawBeforeText(HDC, const RECT& row, int, bool) { return row.left + 1; }

  // Pixels a row has beyond the height of the font's characters, half above the text.
  int FRowSpacing = 0;

private:
  void DrawItem(const DRAWITEMSTRUCT& dis);
  void FillWindow();
  void FitItemHeight(HFONT font);

  int FItemIndex = -1;
  int FUpdateCount = 0;
  int FCount = 0;
  TTextOf FTextOf;
  std::unique_ptr<TListRowNames> FRowNames;
};

}  // namespace tarvell
