#include "gridkit/browser/recordbrowserlink.h"

#include "gridkit/browser/recordbrowser.h"

namespace gridkit {

TRBDataLink::TRBDataLink(TRecordBrowser& browser) : browser_(&browser) {}

TRBDataLink::~TRBDataLink()
{
    browser_ = nullptr;
    SetDataSource(nullptr);
}

void TRBDataLink::ActiveChanged()
{
    if (browser_)
        browser_->Refresh(Active());
}

void TRBDataLink::DataSetChanged()
{
    if (browser_)
        browser_->Refresh(true);
}

} // namespace gridkit
