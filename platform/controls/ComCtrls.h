#pragma once
// The common controls: the progress bar here; the header, list view, tree
// view and tab controls in the headers included below.

#include "platform/controls/ComCtrls_Header.h"
#include "platform/controls/ComCtrls_ListView.h"
#include "platform/controls/ComCtrls_Tabs.h"
#include "platform/controls/ComCtrls_TreeView.h"
#include "platform/controls/Controls.h"

namespace platform {

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TCustomControl {
public:
    explicit TProgressBar(TComponent* AOwner);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    void SetMin(int AValue);
    void SetMax(int AValue);
    void SetPosition(int AValue);
    void SetRange(int AMin, int AMax);
    int Step = 10;
    void StepIt() { SetPosition(FPosition + Step); }
    void StepBy(int ADelta) { SetPosition(FPosition + ADelta); }
    bool Smooth = false;
    TProgressBarOrientation Orientation = pbHorizontal;

protected:
    void Paint() override;

private:
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
};

} // namespace platform
